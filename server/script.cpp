// Parser of scenario files and control lines (syntax in SCENARIOS.md and --help).
#include "server/script.h"

#include <initializer_list>
#include <utility>

#include "net/escaped_bytes.h"

namespace {

struct Cursor {
    std::string_view text;

    void SkipSpace() {
        while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
            text.remove_prefix(1);
        }
    }
    bool AtEnd() {
        SkipSpace();
        return text.empty();
    }
    std::string_view Word() {
        SkipSpace();
        std::size_t end = 0;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t')
            ++end;
        std::string_view word = text.substr(0, end);
        text.remove_prefix(end);
        return word;
    }
};

std::string_view TrimEnd(std::string_view text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

bool ParseNumber(std::string_view word, std::int64_t& value, std::string& error) {
    constexpr std::int64_t kMax = std::int64_t{1} << 40;
    value = 0;
    if (word.empty()) {
        error = "a number is missing";
        return false;
    }
    for (char c : word) {
        if (c < '0' || c > '9' || value > kMax) {
            error = "not a number: " + std::string(word);
            return false;
        }
        value = value * 10 + (c - '0');
    }
    if (value > kMax) {
        error = "number too large: " + std::string(word);
        return false;
    }
    return true;
}

bool NumberWord(Cursor& cursor, std::int64_t& value, std::string& error) {
    return ParseNumber(cursor.Word(), value, error);
}

// A byte text: "quoted" (ends at the closing quote) or unquoted, which takes the rest of
// the line when `restOfLine`, else one word. Escapes are decoded in both forms.
bool ByteText(Cursor& cursor, bool restOfLine, std::string& bytes, std::string& error) {
    cursor.SkipSpace();
    std::string_view raw;
    if (!cursor.text.empty() && cursor.text.front() == '"') {
        std::size_t end = 1;
        while (end < cursor.text.size() && cursor.text[end] != '"') {
            end += cursor.text[end] == '\\' ? 2 : 1;
        }
        if (end >= cursor.text.size()) {
            error = "closing quote missing";
            return false;
        }
        raw = cursor.text.substr(1, end - 1);
        cursor.text.remove_prefix(end + 1);
    } else if (restOfLine) {
        raw = TrimEnd(cursor.text);
        cursor.text = {};
        if (raw.empty()) {
            error = "bytes missing";
            return false;
        }
    } else {
        raw = cursor.Word();
        if (raw.empty()) {
            error = "bytes missing";
            return false;
        }
    }
    return DecodeEscapes(raw, bytes, error);
}

bool OnOff(Cursor& cursor, bool& on, std::string& error) {
    std::string_view word = cursor.Word();
    if (word == "on" || word == "off") {
        on = word == "on";
        return true;
    }
    error = "expected on or off";
    return false;
}

// The kind `word` names in `kinds`; false, with `expected` as the error, when it names none.
template <class Kind>
bool KindOf(std::string_view word, std::initializer_list<std::pair<std::string_view, Kind>> kinds,
            Kind& kind, const char* expected, std::string& error) {
    for (const auto& [name, named] : kinds) {
        if (word != name) continue;
        kind = named;
        return true;
    }
    error = expected;
    return false;
}

bool ParseGreeting(Cursor& cursor, HandshakePlan& plan, std::string& error) {
    using enum GreetingKind;
    const std::string_view word = cursor.Word();
    if (word == "split") {
        return NumberWord(cursor, plan.splitAt, error) &&
               NumberWord(cursor, plan.splitDelayMs, error);
    }
    if (!KindOf(
            word,
            {{"normal", Normal}, {"none", None}, {"close", Close}, {"long", Long}, {"raw", Raw}},
            plan.greeting, "greeting: expected normal, none, close, long, raw or split", error))
        return false;
    if (plan.greeting == Long) return NumberWord(cursor, plan.longSize, error);
    return plan.greeting != Raw || ByteText(cursor, true, plan.greetingBytes, error);
}

bool ParseAnswer(Cursor& cursor, HandshakePlan& plan, std::string& error) {
    using enum AnswerKind;
    return KindOf(cursor.Word(),
                  {{"normal", Normal},
                   {"accept", Normal},
                   {"refuse", Refuse},
                   {"none", None},
                   {"close", Close},
                   {"raw", Raw}},
                  plan.answer, "answer: expected normal, refuse, none, close or raw", error) &&
           (plan.answer != Raw || ByteText(cursor, true, plan.answerBytes, error));
}

bool ParseAck(Cursor& cursor, Step& step, std::string& error) {
    using enum AckMode;
    return KindOf(cursor.Word(),
                  {{"on", Normal},
                   {"normal", Normal},
                   {"off", Off},
                   {"duplicate", Duplicate},
                   {"wrong", Wrong},
                   {"late", Late}},
                  step.ack, "ack: expected on, off, duplicate, late <ms> or wrong", error) &&
           (step.ack != Late || NumberWord(cursor, step.amount, error));
}

// Settings change `plan`; true when `command` was one.
bool ParseSetting(std::string_view command, Cursor& cursor, HandshakePlan& plan, bool& handled,
                  std::string& error) {
    handled = true;
    if (command == "greeting") return ParseGreeting(cursor, plan, error);
    if (command == "answer") return ParseAnswer(cursor, plan, error);
    if (command == "version") {
        std::int64_t version = 0;
        if (!NumberWord(cursor, version, error)) return false;
        plan.version = static_cast<std::int32_t>(version);
        return true;
    }
    if (command == "token") {
        std::string token;
        if (!ByteText(cursor, false, token, error)) return false;
        plan.token = token;
        return true;
    }
    handled = false;
    return true;
}

struct LobbySyntax {
    const char* name;
    LobbyVerb verb;
    std::size_t numbers;   // required
    std::size_t optional;  // numbers that may follow
    bool text;             // a byte text ends the line
};

const LobbySyntax kLobbySyntax[] = {
    {"random", LobbyVerb::Random, 0, 1, false},
    {"every", LobbyVerb::Every, 1, 0, false},
    {"player-in", LobbyVerb::PlayerIn, 2, 0, true},
    {"player-out", LobbyVerb::PlayerOut, 1, 0, false},
    {"status", LobbyVerb::Status, 2, 0, false},
    {"enter", LobbyVerb::Enter, 2, 0, false},
    {"leave", LobbyVerb::Leave, 2, 0, false},
    {"room-state", LobbyVerb::RoomState, 2, 0, false},
    {"room-add", LobbyVerb::RoomAdd, 3, 0, true},
    {"room-remove", LobbyVerb::RoomRemove, 1, 0, false},
    {"table-open", LobbyVerb::TableOpen, 2, 2, false},
    {"table-join", LobbyVerb::TableJoin, 2, 0, false},
    {"seat-leave", LobbyVerb::SeatLeave, 1, 0, false},
    {"table-close", LobbyVerb::TableClose, 1, 0, false},
    {"contact", LobbyVerb::Contact, 2, 0, false},
    {"contact-remove", LobbyVerb::ContactRemove, 1, 0, false},
    {"room-text", LobbyVerb::RoomText, 2, 0, true},
    {"table-text", LobbyVerb::TableText, 2, 0, true},
    {"join-request", LobbyVerb::JoinRequest, 2, 1, false},
    {"join-count", LobbyVerb::JoinCount, 2, 0, false},
    {"join-result", LobbyVerb::JoinResult, 2, 0, false},
    {"private", LobbyVerb::Private, 1, 0, true},
    {"ignores", LobbyVerb::Ignores, 2, 0, false},
};

// At most this many random changes in one command.
constexpr std::int64_t kMaxRandomChanges = 10000;

bool ParseLobby(Cursor& cursor, LobbyCommand& command, std::string& error) {
    std::string_view verb = cursor.Word();
    const LobbySyntax* syntax = nullptr;
    for (const LobbySyntax& candidate : kLobbySyntax) {
        if (verb == candidate.name) syntax = &candidate;
    }
    if (syntax == nullptr) {
        error = "lobby: unknown change: " + std::string(verb);
        return false;
    }
    command = LobbyCommand{};
    command.verb = syntax->verb;
    while (command.numbers.size() < syntax->numbers + syntax->optional && !cursor.AtEnd()) {
        std::int64_t value = 0;
        if (!NumberWord(cursor, value, error)) return false;
        if (value > 0x7FFFFFFF) {
            error = "number too large: " + std::to_string(value);
            return false;
        }
        command.numbers.push_back(value);
    }
    if (command.numbers.size() < syntax->numbers) {
        error = "lobby " + std::string(verb) + ": a number is missing";
        return false;
    }
    if (syntax->verb == LobbyVerb::Random && !command.numbers.empty() &&
        command.numbers[0] > kMaxRandomChanges) {
        error = "lobby random: at most " + std::to_string(kMaxRandomChanges) + " changes";
        return false;
    }
    return !syntax->text || ByteText(cursor, true, command.text, error);
}

bool ParseStep(std::string_view command, Cursor& cursor, Step& step, std::string& error) {
    if (command == "send") {
        step.kind = StepKind::Send;
        return ByteText(cursor, true, step.bytes, error);
    }
    if (command == "message") {
        step.kind = StepKind::Message;
        if (!ByteText(cursor, true, step.bytes, error)) return false;
        if (step.bytes.empty() || step.bytes.back() != '!') step.bytes += ",!";
        return true;
    }
    if (command == "trickle") {
        step.kind = StepKind::Trickle;
        return NumberWord(cursor, step.amount, error) && ByteText(cursor, true, step.bytes, error);
    }
    if (command == "wait") {
        step.kind = StepKind::Wait;
        return NumberWord(cursor, step.amount, error);
    }
    if (command == "expect") {
        step.kind = StepKind::Expect;
        step.amount = kDefaultExpectTimeoutMs;
        if (!ByteText(cursor, false, step.bytes, error)) return false;
        return cursor.AtEnd() || NumberWord(cursor, step.amount, error);
    }
    if (command == "expect-close") {
        step.kind = StepKind::ExpectClose;
        step.amount = kDefaultExpectTimeoutMs;
        return cursor.AtEnd() || NumberWord(cursor, step.amount, error);
    }
    if (command == "ack") {
        step.kind = StepKind::Ack;
        return ParseAck(cursor, step, error);
    }
    if (command == "ackwait" || command == "replies") {
        step.kind = command == "ackwait" ? StepKind::AckWait : StepKind::Replies;
        return OnOff(cursor, step.on, error);
    }
    if (command == "close") {
        step.kind = StepKind::Close;
        return true;
    }
    if (command == "lobby") {
        step.kind = StepKind::Lobby;
        return ParseLobby(cursor, step.lobby, error);
    }
    if (command == "garbage" || command == "big") {
        step.kind = command == "garbage" ? StepKind::Garbage : StepKind::Big;
        return NumberWord(cursor, step.amount, error);
    }
    error = "unknown command: " + std::string(command);
    return false;
}

}  // namespace

bool ParseScriptLine(std::string_view line, int lineNumber, HandshakePlan& plan, ParsedLine& parsed,
                     std::string& error) {
    parsed = ParsedLine{};
    Cursor cursor{TrimEnd(line)};
    if (cursor.AtEnd() || cursor.text.front() == '#') return true;
    std::string_view command = cursor.Word();

    if (command == "connection") {
        std::int64_t number = 0;
        if (!NumberWord(cursor, number, error)) return false;
        if (number < 1 || number > 1000000) {
            error = "connection numbers start at 1";
            return false;
        }
        parsed.kind = LineKind::Connection;
        parsed.connection = static_cast<int>(number);
    } else {
        HandshakePlan changed = plan;
        bool isSetting = false;
        if (!ParseSetting(command, cursor, changed, isSetting, error)) return false;
        if (isSetting) {
            parsed.kind = LineKind::Setting;
        } else {
            parsed.kind = LineKind::Step;
            parsed.step.line = lineNumber;
            if (!ParseStep(command, cursor, parsed.step, error)) return false;
        }
        if (!cursor.AtEnd()) {
            error = "unexpected text after the command: " + std::string(cursor.text);
            return false;
        }
        plan = changed;
        return true;
    }
    if (!cursor.AtEnd()) {
        error = "unexpected text after the command: " + std::string(cursor.text);
        return false;
    }
    return true;
}

bool ParseScript(std::string_view text, const HandshakePlan& initial, Script& script,
                 std::string& error) {
    script = Script{};
    script.common.plan = initial;
    ScriptSection* section = &script.common;
    int lineNumber = 0;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;

        ParsedLine parsed;
        std::string lineError;
        if (!ParseScriptLine(line, lineNumber, section->plan, parsed, lineError)) {
            error = "line " + std::to_string(lineNumber) + ": " + lineError;
            return false;
        }
        if (parsed.kind == LineKind::Step) section->steps.push_back(parsed.step);
        if (parsed.kind == LineKind::Connection) {
            auto [it, added] = script.sections.try_emplace(parsed.connection);
            if (!added) {
                error = "line " + std::to_string(lineNumber) + ": connection " +
                        std::to_string(parsed.connection) + " appears twice";
                return false;
            }
            section = &it->second;
            section->plan = script.common.plan;
        }
    }
    return true;
}

const ScriptSection& SectionFor(const Script& script, int connectionNumber) {
    auto it = script.sections.find(connectionNumber);
    return it != script.sections.end() ? it->second : script.common;
}
