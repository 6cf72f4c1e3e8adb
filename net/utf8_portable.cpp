// UTF-8 conversions for builds without the Windows code-page functions. They reproduce
// what WideCharToMultiByte and MultiByteToWideChar (code page 65001, no flags) give
// under the Windows runtime we ship on, malformed input included.
#include "net/text_convert.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// Number of continuation bytes announced by a lead byte at or above 0x80 (0: invalid).
int FollowingBytes(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 1;
    if (lead >= 0xE0 && lead <= 0xEF) return 2;
    if (lead >= 0xF0 && lead <= 0xF4) return 3;
    return 0;
}

// Decodes one sequence whose lead byte (>= 0x80) is utf8[pos]; advances pos past what
// it consumed. An invalid sequence consumes the lead byte plus the continuation bytes
// accepted before the fault; a sequence cut off by the end of the text consumes the rest.
char32_t DecodeSequence(std::string_view utf8, std::size_t& pos) {
    static constexpr unsigned char kLeadMask[4] = {0x7F, 0x1F, 0x0F, 0x07};
    unsigned char lead = static_cast<unsigned char>(utf8[pos++]);
    int length = FollowingBytes(lead);
    char32_t value = lead & kLeadMask[length];
    if (pos + length > utf8.size()) {
        pos = utf8.size();
        return kReplacement;
    }
    auto continuation = [&](std::size_t at, unsigned& bits) {
        bits = static_cast<unsigned char>(utf8[at]) ^ 0x80u;
        return bits < 0x40;
    };
    const std::size_t end = pos + length;
    unsigned bits = 0;
    switch (length) {
        case 3:
            if (!continuation(end - 3, bits)) return kReplacement;
            value = (value << 6) | bits;
            ++pos;
            if (value < 0x10) return kReplacement;  // overlong four-byte form
            [[fallthrough]];
        case 2:
            if (!continuation(end - 2, bits)) return kReplacement;
            value = (value << 6) | bits;
            if (value >= (0x110000 >> 6)) return kReplacement;  // beyond U+10FFFF
            ++pos;
            if (value < 0x20) return kReplacement;  // overlong three-byte form
            if (value >= (0xD800 >> 6) && value <= (0xDFFF >> 6)) return kReplacement;
            [[fallthrough]];
        case 1:
            if (!continuation(end - 1, bits)) return kReplacement;
            value = (value << 6) | bits;
            ++pos;
            if (value < 0x80) return kReplacement;
            return value;
        default:
            return kReplacement;
    }
}

}  // namespace

std::string Utf8FromWide(std::wstring_view wide) {
    std::string out;
    out.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        char32_t unit = static_cast<char32_t>(wide[i]) & 0xFFFF;
        char32_t low = i + 1 < wide.size() ? static_cast<char32_t>(wide[i + 1]) & 0xFFFF : 0;
        if (unit >= 0xD800 && unit <= 0xDBFF && low >= 0xDC00 && low <= 0xDFFF) {
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            unit = kReplacement;
        }
        // Checked after every character, a pair included.
        AppendUtf8(out, unit);
        if (out.size() > kUtf8ResultLimit) return std::string();
    }
    return out;
}

std::wstring WideFromUtf8(std::string_view utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        unsigned char c = static_cast<unsigned char>(utf8[pos]);
        if (c < 0x80) {
            out.push_back(static_cast<wchar_t>(c));
            ++pos;
            continue;
        }
        char32_t cp = DecodeSequence(utf8, pos);
        if (cp >= 0x10000) {
            out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
    }
    return out;
}
