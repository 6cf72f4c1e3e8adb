// RIFF/WAVE layout: "RIFF" size "WAVE", a 16-byte "fmt " chunk and one "data" chunk.
#include "wave_file.h"

Bytes EncodeWave(const std::vector<std::int16_t>& samples, int sampleRate) {
    constexpr unsigned kChannels = 1;
    constexpr unsigned kBits = 16;
    constexpr unsigned kBlockAlign = kChannels * kBits / 8;
    std::uint32_t data_size = static_cast<std::uint32_t>(samples.size()) * kBlockAlign;
    Bytes out;
    AppendTag(out, "RIFF");
    AppendU32(out, 4 + (8 + 16) + (8 + data_size));
    AppendTag(out, "WAVE");
    AppendTag(out, "fmt ");
    AppendU32(out, 16);
    AppendU16(out, 1);  // PCM
    AppendU16(out, kChannels);
    AppendU32(out, static_cast<std::uint32_t>(sampleRate));
    AppendU32(out, static_cast<std::uint32_t>(sampleRate) * kBlockAlign);
    AppendU16(out, kBlockAlign);
    AppendU16(out, kBits);
    AppendTag(out, "data");
    AppendU32(out, data_size);
    for (std::int16_t sample : samples)
        AppendU16(out, static_cast<std::uint16_t>(sample));
    return out;
}
