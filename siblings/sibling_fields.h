// What the sibling programs read from their command lines: the programs, their field
// lists, the split into fields (a comma inside a name splits it, so the surplus is
// joined back into the text fields) and the lines that show the decoded values.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class SiblingKind { Room, Board, Join, Chat, Debug };

// "RoomView", "BoardView", "JoinView", "ChatView", "KXDebug": the log's program names.
const char* ProgramName(SiblingKind kind);

// The text after the program's path in the full command line (quoted or not) and the
// one blank that separates them: the parameters exactly as the starter gave them.
std::wstring ArgumentsOf(std::wstring_view commandLine);

// The field values in the program's order, as UTF-8: names and numbers converted from
// UTF-16, byte texts narrowed back, Base64 paths decoded. Missing fields are empty;
// fields beyond the list (possible only for programs without text fields) follow.
std::vector<std::string> FieldValues(SiblingKind kind, std::wstring_view arguments);

// "<field name> <value>" for every value, e.g. "room name Lobby, north".
std::vector<std::string> DescribeFields(SiblingKind kind, const std::vector<std::string>& values);

// Who the window is: the id in its class and log lines (room, table or join id; 0 for
// the others), its title, its room (a room's name and state, a table's room id) and,
// for a room, the position from the command line.
struct SiblingIdentity {
    std::int32_t id = 0;
    std::string title;
    std::int32_t roomId = 0;
    std::string roomName;
    std::string roomState;
    std::string partner;  // a conversation's partner, UTF-8
    bool hasPosition = false;
    std::int32_t x = 0;
    std::int32_t y = 0;
};
SiblingIdentity IdentityOf(SiblingKind kind, const std::vector<std::string>& values);
