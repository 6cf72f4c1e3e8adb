// Escaped byte texts (scenarios, control lines, probe arguments), and the reverse for logs.
#include "net/escaped_bytes.h"

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool DecodeEscapes(std::string_view text, std::string& bytes, std::string& error) {
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '\\') {
            bytes += c;
            continue;
        }
        if (++i == text.size()) {
            error = "backslash at the end of a byte text";
            return false;
        }
        switch (text[i]) {
            case '\\':
                bytes += '\\';
                break;
            case '"':
                bytes += '"';
                break;
            case 'r':
                bytes += '\r';
                break;
            case 'n':
                bytes += '\n';
                break;
            case 't':
                bytes += '\t';
                break;
            case '0':
                bytes += '\0';
                break;
            case 's':
                bytes += ' ';
                break;
            case 'x': {
                int high = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
                int low = i + 2 < text.size() ? HexDigitValue(text[i + 2]) : -1;
                if (high < 0 || low < 0) {
                    error = "\\x needs two hex digits";
                    return false;
                }
                bytes += static_cast<char>(high * 16 + low);
                i += 2;
                break;
            }
            default:
                error = std::string("unknown escape \\") + text[i];
                return false;
        }
    }
    return true;
}

std::string Printable(std::string_view bytes, std::size_t limit) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    std::size_t shown = bytes.size() < limit ? bytes.size() : limit;
    for (std::size_t i = 0; i < shown; ++i) {
        unsigned char c = static_cast<unsigned char>(bytes[i]);
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c >= 0x20 && c < 0x7f) {
                    out += static_cast<char>(c);
                } else {
                    out += "\\x";
                    out += digits[c >> 4];
                    out += digits[c & 15];
                }
        }
    }
    if (shown < bytes.size()) out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}
