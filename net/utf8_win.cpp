// UTF-8 conversions through the Windows code-page functions (code page 65001).
#include <windows.h>

#include <vector>

#include "net/text_convert.h"

std::string Utf8FromWide(std::wstring_view wide) {
    if (wide.empty()) return std::string();
    static_assert(kUtf8ResultLimit == 10000);
    std::vector<char> buffer(kUtf8ResultLimit + 1);
    int written =
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), buffer.data(),
                            static_cast<int>(kUtf8ResultLimit), nullptr, nullptr);
    if (written <= 0) return std::string();  // includes "needs more than the buffer"
    return std::string(buffer.data(), static_cast<std::size_t>(written));
}

std::wstring WideFromUtf8(std::string_view utf8) {
    if (utf8.empty()) return std::wstring();
    int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                        length);
    return wide;
}
