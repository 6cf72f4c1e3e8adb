// The five interface sounds, synthesised: soft bell tones and a short click.
#pragma once

#include <cstdint>
#include <vector>

// Ids of the WAVE resources in the order the program uses them.
inline constexpr int kSoundIds[] = {1001, 1002, 1003, 1004, 1005};

// Samples (mono, kSampleRate) of sound `id`; empty for an unknown id.
std::vector<std::int16_t> SynthesiseSound(int id);
