// Helpers for tests that run in both the native and the Win32 build.
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

// UTF-16 literal to the program's wide text, one code unit per element on every platform.
inline std::wstring W(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// Bytes as "61 C3 A4", wide text as "0061 00E4", for readable failure messages.
template <int Digits, typename Text>
std::string HexUnits(Text text) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (auto c : text) {
        const auto u = static_cast<std::make_unsigned_t<decltype(c)>>(c);
        if (!out.empty()) out += ' ';
        for (int shift = 4 * (Digits - 1); shift >= 0; shift -= 4)
            out += digits[(u >> shift) & 15];
    }
    return out;
}
inline std::string Hex(std::string_view bytes) {
    return HexUnits<2>(bytes);
}
inline std::string Units(std::wstring_view wide) {
    return HexUnits<4>(wide);
}
