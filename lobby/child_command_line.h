// Command lines of the sibling programs: " ,?," and then comma-separated fields, each
// followed by a comma. Texts go in as they are: a comma inside one makes one field more
// on the receiving side. Paths travel as Base64 of their UTF-8 bytes.
#pragma once

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
