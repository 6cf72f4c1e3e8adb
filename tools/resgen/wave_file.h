// Encoder of the WAVE resources: RIFF container, PCM 16-bit mono.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_buffer.h"

inline constexpr int kSampleRate = 22050;

Bytes EncodeWave(const std::vector<std::int16_t>& samples, int sampleRate = kSampleRate);
