// Numbers, target paths and JSON text for the window probe.
#include "tools/probe/probe_text.h"

#include "net/escaped_bytes.h"

std::optional<std::int64_t> ParseNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    std::uint64_t magnitude = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        if (text.size() > 16) return std::nullopt;
        for (char c : text) {
            int digit = HexDigitValue(c);
            if (digit < 0) return std::nullopt;
            magnitude = magnitude * 16 + static_cast<std::uint64_t>(digit);
        }
    } else {
        if (text.empty() || text.size() > 18) return std::nullopt;
        for (char c : text) {
            if (c < '0' || c > '9') return std::nullopt;
            magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    // Hexadecimal handles and masks may use all 64 bits; they wrap like the WPARAM they fill.
    std::int64_t value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

std::optional<TargetPath> ParseTargetPath(std::string_view text) {
    TargetPath path;
    bool first = true;
    while (true) {
        std::size_t slash = text.find('/');
        std::string_view piece = text.substr(0, slash);
        if (first) {
            if (piece.empty()) return std::nullopt;
            path.topClass = std::string(piece);
            first = false;
        } else {
            TargetStep step;
            std::size_t hash = piece.rfind('#');
            if (hash != std::string_view::npos) {
                auto index = ParseNumber(piece.substr(hash + 1));
                if (!index || *index < 0 || *index > 100000) return std::nullopt;
                step.index = static_cast<int>(*index);
                piece = piece.substr(0, hash);
            }
            if (piece.empty()) return std::nullopt;
            step.className = std::string(piece);
            path.steps.push_back(step);
        }
        if (slash == std::string_view::npos) break;
        text.remove_prefix(slash + 1);
    }
    return path;
}

std::string JsonString(std::string_view utf8) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "\"";
    for (char c : utf8) {
        unsigned char byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    out += "\\u00";
                    out += digits[byte >> 4];
                    out += digits[byte & 15];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string HexText(std::uint64_t value, int width) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    do {
        hex.insert(hex.begin(), digits[value & 15]);
        value >>= 4;
    } while (value != 0);
    while (static_cast<int>(hex.size()) < width)
        hex.insert(hex.begin(), '0');
    return "0x" + hex;
}
