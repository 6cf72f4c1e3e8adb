// Command lines of the sibling programs: " ,?," and then comma-separated fields, each
// followed by a comma. Texts go in as they are: a comma inside one makes one field more
// on the receiving side. Paths travel as Base64 of their UTF-8 bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "lobby/records.h"

// RoomView.exe: version, language, foreground, sound, time stamps, enter/exit notices,
// the own player id, then the room's id, name, money kind, remembered window x and y and
// state, and config.dat's path.
std::wstring RoomCommandLine(std::int32_t ownPlayerId, const RoomRecord& room);

// BoardView.exe: version, language, foreground, the own player id, the room id (value 1)
// and its money kind, the table id, the table size, the table's value 2, then the table
// settings (keys 7 and 10 to 21) passed on as they are, the saved-games folder and
// config.dat's path.
std::wstring TableCommandLine(std::int32_t ownPlayerId, std::int32_t roomKind,
                              const TableRecord& table);

// ChatView.exe: version, language, foreground, sound, time stamps, whether the partner is a
// contact, the partner's display name and the message text.
std::wstring ChatCommandLine(bool isContact, const std::wstring& name, const std::wstring& text);

// JoinView.exe, the one line without a comma at the end: version, language, foreground,
// sound, the room id, 0, the join id, the table id, player A's id and name, player B's id
// and name, 1 when player A is the own player, the table's values 7, 3 and 4, the room's
// money kind. Names are UTF-8 bytes, each widened to one unit.
std::wstring JoinCommandLine(std::int32_t ownPlayerId, const JoinRecord& join,
                             const std::wstring& nameA, const std::wstring& nameB,
                             const TableRecord& table, std::int32_t roomKind);

// The longest command line Windows starts a program with, counted in UTF-16 units with the
// terminating zero.
inline constexpr std::size_t kCommandLineLimit = 32767;

// The length of the command line a program gets: its quoted path, a space and the
// parameters, without the terminating zero.
std::size_t CommandLineLength(const std::wstring& program, const std::wstring& parameters);

// The lines above for `program` with the names (the ChatView.exe line its text) cut so the
// command line keeps within the limit, each after its last whole character: the room's name
// as UTF-16 (a surrogate pair stays whole), the join names and the chat text as the UTF-8
// bytes they hold one per unit. A line that fits comes unchanged; one that cannot fit even
// with them empty comes over the limit.
std::wstring FitRoomCommandLine(const std::wstring& program, std::int32_t ownPlayerId,
                                RoomRecord room);
std::wstring FitChatCommandLine(const std::wstring& program, bool isContact,
                                const std::wstring& name, const std::wstring& text);
// When the two names do not fit, each keeps at least half the room there is for them.
std::wstring FitJoinCommandLine(const std::wstring& program, std::int32_t ownPlayerId,
                                const JoinRecord& join, const std::wstring& nameA,
                                const std::wstring& nameB, const TableRecord& table,
                                std::int32_t roomKind);
