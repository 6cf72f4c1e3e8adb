// Base64, decimal numbers and the byte-wise widening: identical on every platform.
#include "net/text_convert.h"

const char kBase64Alphabet[65] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::wstring WideFromNarrow(std::string_view narrow) {
    std::wstring wide;
    wide.reserve(narrow.size());
    for (char c : narrow) {
        if (c == '\0') break;
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return wide;
}

std::string Base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    for (; i + 3 <= bytes.size(); i += 3) {
        unsigned b0 = byte(i), b1 = byte(i + 1), b2 = byte(i + 2);
        out.push_back(kBase64Alphabet[b0 >> 2]);
        out.push_back(kBase64Alphabet[((b0 & 3) << 4) + (b1 >> 4)]);
        out.push_back(kBase64Alphabet[((b1 & 15) << 2) + (b2 >> 6)]);
        out.push_back(kBase64Alphabet[b2 & 63]);
    }
    std::size_t rest = bytes.size() - i;
    if (rest > 0) {
        unsigned b0 = byte(i), b1 = rest > 1 ? byte(i + 1) : 0;
        out.push_back(kBase64Alphabet[b0 >> 2]);
        out.push_back(kBase64Alphabet[((b0 & 3) << 4) + (b1 >> 4)]);
        out.push_back(rest > 1 ? kBase64Alphabet[(b1 & 15) << 2] : '=');
        out.push_back('=');
    }
    return out;
}

namespace {

int Base64Index(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

}  // namespace

std::string Base64Decode(std::string_view text) {
    std::string out;
    out.reserve(text.size() / 4 * 3 + 3);
    unsigned group[4];
    int filled = 0;
    for (char c : text) {
        int index = Base64Index(c);
        if (index < 0) break;  // "=" and every other character end the input
        group[filled++] = static_cast<unsigned>(index);
        if (filled == 4) {
            out.push_back(static_cast<char>((group[0] << 2) + ((group[1] & 48) >> 4)));
            out.push_back(static_cast<char>((group[1] << 4) + ((group[2] & 60) >> 2)));
            out.push_back(static_cast<char>((group[2] << 6) + group[3]));
            filled = 0;
        }
    }
    if (filled > 1) {
        for (int k = filled; k < 4; ++k)
            group[k] = 0;
        char bytes[3] = {static_cast<char>((group[0] << 2) + ((group[1] & 48) >> 4)),
                         static_cast<char>((group[1] << 4) + ((group[2] & 60) >> 2)),
                         static_cast<char>((group[2] << 6) + group[3])};
        out.append(bytes, static_cast<std::size_t>(filled - 1));
    }
    return out;
}

std::int32_t TextToInt(std::string_view text) {
    std::size_t i = 0;
    // The same white space a formatted stream read skips in the classic locale.
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return 0;
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return 0;
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    if (value > INT32_MAX) return 0;
    return static_cast<std::int32_t>(value);
}

std::string IntToText(std::int32_t value) {
    return std::to_string(value);
}
