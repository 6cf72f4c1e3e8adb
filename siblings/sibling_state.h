// What a sibling window holds from the hub's relay texts (players, contact relations,
// the presences, tables and seats of its room or table, chat lines and diagnostics) and
// the lines that show it. No Win32 here: the hub's texts in, readable lines out.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "siblings/sibling_fields.h"

struct SiblingPlayer {
    std::string name;  // UTF-8 as relayed
    std::int32_t value = 0;
    std::int32_t status = 0;
};

struct SiblingSeat {
    std::int32_t table = 0;
    std::int32_t player = 0;
};

struct SiblingContact {
    std::int32_t player = 0;
    std::int32_t relation = 0;  // 0 friend, 1 contact, 2 ignored
};

struct SiblingState {
    SiblingKind kind = SiblingKind::Debug;
    std::int32_t id = 0;      // room, table or join id
    std::int32_t roomId = 0;  // a table's room
    std::string roomName;     // a room's name, from the command line and relay 31
    std::string roomState;    // as relayed
    std::string partner;      // a conversation's partner, UTF-8
    std::map<std::int32_t, SiblingPlayer> players;
    std::map<std::int32_t, std::int32_t> presences;  // presence id -> player id
    // Table id -> the values after the id as relayed: 2 to 16 and, in a room, the flag.
    std::map<std::int32_t, std::vector<std::int32_t>> tables;
    std::map<std::int32_t, SiblingSeat> seats;
    std::map<std::int32_t, SiblingContact> contacts;
    std::map<std::int32_t, std::int64_t> settings;  // notification code -> last value
    std::string lastAnswer;                         // relay 39
    std::deque<std::string> chat;                   // newest last
    std::deque<std::string> notes;                  // diagnostics and other texts
};

// No list grows past this many entries, and chat and notes keep their newest lines.
inline constexpr std::size_t kSiblingListLimit = 200000;
inline constexpr std::size_t kSiblingRecentLines = 40;

// Relay codes of the development server's own texts (server types 34 and 114).
inline constexpr std::uint32_t kRoomChatRelay = 120;
inline constexpr std::uint32_t kTableChatRelay = 121;
inline constexpr std::uint32_t kDiceRelay = 122;

SiblingState StartState(SiblingKind kind, const SiblingIdentity& identity);

// A relay text from the hub (the payload after "KXMessage,"). Malformed records read
// missing numbers as 0; a code without a meaning here is kept among the notes.
void ApplyRelay(SiblingState& state, std::uint32_t code, std::string_view payload);
// A notification code from the hub (38: a table of the room closed; 10 to 13, 33, 34:
// values to show).
void ApplyNotification(SiblingState& state, std::uint32_t code, std::int64_t value);

// The client message a chat line typed in this window becomes (type 120 in a room, 121
// at a table, the text as Base64 of UTF-8; a conversation's private message, type 61 with
// the partner's nickname and the text, each as Base64 of UTF-8); empty for the other
// programs and for a conversation without a partner's name.
std::string ChatMessage(const SiblingState& state, std::string_view utf8);

// A join window's answer to its request, relay 97 "<join id>:<answer>"; empty for the
// other programs.
std::string JoinAnswer(const SiblingState& state, int answer);

// Readable UTF-8 lines: the room or table, who is there, the tables and seats, the
// answers, the newest chat lines and notes.
std::vector<std::string> DescribeState(const SiblingState& state);
