// Scenario scripts and control commands: one line syntax for both. A line is a handshake
// setting (how the greeting and the answer to the introduction look), a step (what to do
// after pairing, in order), a section start (`connection <k>`), or blank or a comment.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "server/lobby_live.h"
#include "server/session.h"

enum class GreetingKind {
    Normal,  // "<version>,<token>,!"
    None,    // accept and stay silent
    Close,   // close before sending anything
    Long,    // "<version>,<token>xxx...,!" padded to `longSize` bytes
    Raw,     // `greetingBytes`
};

enum class AnswerKind {
    Normal,  // "2,!" when the token pairs, "3,!" otherwise
    Refuse,  // "3,!"
    None,    // pair (when the token is known) but say nothing
    Close,   // close the introducing connection
    Raw,     // `answerBytes`, pairing when the token is known
};

struct HandshakePlan {
    GreetingKind greeting = GreetingKind::Normal;
    std::int32_t version = 73;
    std::string token;  // fixed token; empty: a new one for every connection
    std::string greetingBytes;
    std::int64_t longSize = 0;
    // The first splitAt bytes, the rest splitDelayMs later; both 0: the greeting whole.
    std::int64_t splitAt = 0;
    std::int64_t splitDelayMs = 0;
    AnswerKind answer = AnswerKind::Normal;
    std::string answerBytes;
};

enum class StepKind {
    Send,         // raw bytes
    Message,      // numbered: "<n>," + bytes
    Trickle,      // bytes one at a time, `amount` ms apart
    Wait,         // `amount` ms
    Expect,       // the client sends bytes within `amount` ms
    ExpectClose,  // the client closes within `amount` ms
    Ack,          // acknowledgement mode `ack` (Late: `amount` ms)
    AckWait,      // stop-and-wait on or off
    Replies,      // automatic replies on or off
    Close,        // close both connections
    Garbage,      // `amount` pseudo-random bytes
    Big,          // `amount` bytes without "!"
    Lobby,        // a change of the pair's lobby (`lobby`)
};

struct Step {
    StepKind kind = StepKind::Wait;
    std::string bytes;
    std::int64_t amount = 0;
    AckMode ack = AckMode::Normal;
    bool on = true;
    LobbyCommand lobby;
    int line = 0;
};

inline constexpr std::int64_t kDefaultExpectTimeoutMs = 5000;

struct ScriptSection {
    HandshakePlan plan;
    std::vector<Step> steps;
};

struct Script {
    ScriptSection common;                   // every connection without a section of its own
    std::map<int, ScriptSection> sections;  // by connection number, from 1
};

enum class LineKind { Empty, Setting, Step, Connection };

struct ParsedLine {
    LineKind kind = LineKind::Empty;
    Step step;           // LineKind::Step
    int connection = 0;  // LineKind::Connection
};

// Parses one line; a setting is applied to `plan` at once. False with `error` on bad input
// (the plan is then unchanged).
bool ParseScriptLine(std::string_view line, int lineNumber, HandshakePlan& plan, ParsedLine& parsed,
                     std::string& error);

// A whole scenario, starting from `initial` settings. A `connection <k>` section starts
// from the common settings (those before the first section) and has only its own steps.
// `error` names the line.
bool ParseScript(std::string_view text, const HandshakePlan& initial, Script& script,
                 std::string& error);

// The section for the k-th connection (counted per port from 1).
const ScriptSection& SectionFor(const Script& script, int connectionNumber);
