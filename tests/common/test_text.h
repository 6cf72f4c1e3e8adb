// Helpers for tests that run in both the native and the Win32 build.
#pragma once

#include <string>
#include <string_view>

// UTF-16 literal to the program's wide text, one code unit per element on every platform.
inline std::wstring W(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

// Bytes as "61 C3 A4" for readable failure messages.
inline std::string Hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) out += ' ';
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

inline std::string Units(std::wstring_view wide) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (wchar_t w : wide) {
        unsigned u = static_cast<unsigned>(w);
        if (!out.empty()) out += ' ';
        for (int shift = 12; shift >= 0; shift -= 4)
            out += digits[(u >> shift) & 15];
    }
    return out;
}
