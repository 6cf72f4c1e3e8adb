// Little-endian byte appending shared by the BMP, WAVE and ICO writers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

inline void AppendU8(Bytes& out, unsigned value) {
    out.push_back(value & 0xFF);
}

inline void AppendU16(Bytes& out, unsigned value) {
    AppendU8(out, value);
    AppendU8(out, value >> 8);
}

inline void AppendU32(Bytes& out, std::uint32_t value) {
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}

inline void AppendTag(Bytes& out, std::string_view tag) {
    for (char ch : tag)
        out.push_back(static_cast<std::uint8_t>(ch));
}
