// Log escaping and test-command parsing of the sibling programs.
#include "siblings/sibling_text.h"

#include <iterator>
#include <optional>
#include <vector>

namespace {

void AppendEscape(std::string& out, unsigned char byte) {
    static const char digits[] = "0123456789ABCDEF";
    out += "\\x";
    out += digits[byte >> 4];
    out += digits[byte & 15];
}

std::string Escape(std::string_view bytes, bool keepHighBytes, bool keepBackslash) {
    std::string out;
    for (char c : bytes) {
        unsigned char byte = static_cast<unsigned char>(c);
        bool escape = byte < 0x20 || byte == 0x7F || (c == '\\' && !keepBackslash) ||
                      (byte > 0x7F && !keepHighBytes);
        if (escape)
            AppendEscape(out, byte);
        else
            out += c;
    }
    return out;
}

// Splits off the next word (up to one blank); the rest starts after that blank.
std::string_view NextWord(std::string_view& text) {
    std::size_t blank = text.find(' ');
    std::string_view word = text.substr(0, blank);
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    return word;
}

std::optional<std::int64_t> Decimal(std::string_view text, bool allowSign) {
    bool negative = false;
    if (allowSign && !text.empty() && text[0] == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

// In the order of SiblingMode.
constexpr const char* kModeNames[] = {"normal", "never-idle", "hung", "no-window", "storm"};

}  // namespace

const char* ModeName(SiblingMode mode) {
    return kModeNames[static_cast<int>(mode)];
}

std::string EscapeBytes(std::string_view bytes) {
    return Escape(bytes, false, false);
}
std::string EscapeControls(std::string_view utf8) {
    return Escape(utf8, true, false);
}
std::string ReadableText(std::string_view utf8) {
    return Escape(utf8, true, true);
}

std::string_view CopyDataText(std::string_view data) {
    return data.substr(0, data.find('\0'));
}

std::string CopyDataLogText(std::uint64_t code, std::string_view data) {
    bool terminated = !data.empty() && data.find('\0') == data.size() - 1;
    if (terminated)
        return "copydata " + std::to_string(code) + " " + EscapeBytes(CopyDataText(data));
    return "copydata-unterminated " + std::to_string(code) + " " + EscapeBytes(data);
}

TestCommand ParseTestCommand(std::string_view text) {
    TestCommand command;
    std::string_view verb = NextWord(text);
    if (verb == "close") {
        if (text.empty()) command.action = TestAction::Close;
        return command;
    }
    if (verb == "move") {
        auto x = Decimal(NextWord(text), true);
        auto y = Decimal(text, true);
        if (x && y && *x >= -32768 && *x <= 32767 && *y >= -32768 && *y <= 32767) {
            command.action = TestAction::Move;
            command.number = *x;
            command.y = *y;
        }
        return command;
    }
    if (verb == "chat") {
        if (!text.empty()) {
            command.action = TestAction::Chat;
            command.text = std::string(text);
        }
        return command;
    }
    TestAction action = verb == "relay"    ? TestAction::Relay
                        : verb == "notify" ? TestAction::Notify
                        : verb == "raw"    ? TestAction::Raw
                                           : TestAction::Invalid;
    if (action == TestAction::Invalid) return command;
    auto code = Decimal(NextWord(text), false);
    if (!code || *code > 0xFFFFFFFFLL) return command;
    command.code = static_cast<std::uint32_t>(*code);
    if (action == TestAction::Notify) {
        auto number = Decimal(text, true);
        if (!number) return command;
        command.number = *number;
    } else {
        command.text = std::string(text);
    }
    command.action = action;
    return command;
}

SiblingMode ModeFor(std::string_view fileText, std::string_view program, std::int64_t id) {
    SiblingMode mode = SiblingMode::Normal;
    while (!fileText.empty()) {
        std::size_t end = fileText.find('\n');
        std::string_view line = fileText.substr(0, end);
        fileText = end == std::string_view::npos ? std::string_view() : fileText.substr(end + 1);
        std::vector<std::string_view> words;
        std::size_t at = 0;
        while (at < line.size()) {
            std::size_t start = line.find_first_not_of(" \t\r", at);
            if (start == std::string_view::npos) break;
            at = line.find_first_of(" \t\r", start);
            if (at == std::string_view::npos) at = line.size();
            words.push_back(line.substr(start, at - start));
        }
        if (words.empty() || words[0].front() == '#' || words.size() > 3) continue;
        if (words[0] != "*" && words[0] != program) continue;
        if (words.size() == 3 && words[1] != "*" && Decimal(words[1], true) != id) continue;
        for (int named = 0; named < static_cast<int>(std::size(kModeNames)); ++named)
            if (words.back() == kModeNames[named]) mode = static_cast<SiblingMode>(named);
    }
    return mode;
}
