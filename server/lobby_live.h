// The lobby of one logged-in connection as it goes on changing: players come and go and
// change their presence, enter and leave rooms, open tables and take seats; rooms change
// state; the player's contact relations change; rooms and tables get relay texts. Each
// change updates this copy and gives the messages that tell the client, in order. The
// changes keep every id the client holds valid: a client that applies the messages by
// its rules ends up with the same lobby.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "server/lobby_data.h"

// A join request the server has told the client about and not yet settled: `asker`
// wants to play `asked` at the table.
struct JoinEntry {
    std::int32_t id, roomId, tableId, asker, asked;
};

struct LiveLobby {
    Lobby lobby;
    std::vector<ContactEntry> contacts;  // the logged-in player's relations
    std::vector<JoinEntry> joins;
    std::vector<std::int32_t> ignoringOwn;  // players who ignore the logged-in player
    std::int32_t ownPlayerId = 0;
    std::int32_t nextPlayerId = 0;
    std::int32_t nextPresenceId = 0;
    std::int32_t nextTableId = 0;
    std::int32_t nextSeatId = 0;
    std::int32_t nextContactId = 0;
    std::int32_t nextJoinId = 0;
    std::uint32_t privateTurn = 0;  // whose turn it is to write a private message
    std::uint32_t randomState = 0;  // for RandomLobbyChange, fixed seed
    bool stormTurn = false;         // StormPresenceChange: a contact on every other call
};

// A copy of `lobby` with the relations of the player who logged in.
LiveLobby StartLiveLobby(const Lobby& lobby, std::int32_t ownPlayerId);

// Every list message of the lobby as it is now (types 21, 31, 32, 51, 71, 72).
std::vector<std::string> CurrentLobbyMessages(const LiveLobby& live);

// What one change did: the queued texts ("<type>,<fields>,!", in order) and a line for
// the log; `error` set means nothing changed.
struct LobbyChange {
    std::vector<std::string> messages;
    std::string note;
    std::string error;
};

// "<field>,<field>,...,!": one message text.
std::string MessageText(std::initializer_list<std::string_view> fields);
// A change refused for `error`.
LobbyChange FailedChange(std::string error);
// A change told in one message.
LobbyChange MessageChange(std::string message, std::string note);

// Relay codes of the development lobby's own texts (types 34 and 114): a chat line
// "<player id>:<Base64 of UTF-8>" in a room or at a table, and a roll of the dice
// "<player id>:<die>:<die>" at a table.
inline constexpr std::int32_t kRoomChatCode = 120;
inline constexpr std::int32_t kTableChatCode = 121;
inline constexpr std::int32_t kDiceCode = 122;

// Client message types of the development lobby: a chat line typed in a room window
// ("120,<room id>,<Base64 of UTF-8>,!") or at a table ("121,<table id>,<Base64>,!"),
// sent through the hub's relay; the server repeats it to the room or table.
inline constexpr std::int32_t kClientRoomChat = 120;
inline constexpr std::int32_t kClientTableChat = 121;

// One command of the control channel or a scenario (`lobby <verb> ...`, SCENARIOS.md).
enum class LobbyVerb {
    Random,         // [n]: n changes drawn at random
    Every,          // ms: a random change every ms (0 stops); handled by the session
    PlayerIn,       // player status name
    PlayerOut,      // player
    Status,         // player status
    Enter,          // room player
    Leave,          // room player
    RoomState,      // room state
    RoomAdd,        // room kind state name
    RoomRemove,     // room
    TableOpen,      // room player [opponent [mark]]
    TableJoin,      // table player
    SeatLeave,      // seat
    TableClose,     // table
    Contact,        // player relation
    ContactRemove,  // player
    RoomText,       // room code bytes
    TableText,      // table code bytes
    JoinRequest,    // table asker [asked]
    JoinCount,      // join count
    JoinResult,     // join result
    Private,        // player bytes
    Ignores,        // player on
};

struct LobbyCommand {
    LobbyVerb verb = LobbyVerb::Random;
    std::vector<std::int64_t> numbers;
    std::string text;
};

// Applies a command other than Every.
LobbyChange ApplyLobbyCommand(LiveLobby& live, const LobbyCommand& command);

// One change of a kind drawn at random, the same sequence for every run.
LobbyChange RandomLobbyChange(LiveLobby& live);

// One presence change of the storm: every other one a contact of the logged-in player,
// the rest any generated player; always to another status from 1 to 4 (nobody leaves).
LobbyChange StormPresenceChange(LiveLobby& live);

// The server's echo of a chat line from the logged-in player (client types 120, 121).
LobbyChange ChatLine(LiveLobby& live, std::int32_t type, std::int32_t placeId,
                     std::string_view base64Text);

// The logged-in player entered or left a room (client types 32 and 38).
LobbyChange OwnPlayerEnters(LiveLobby& live, std::int32_t roomId);
LobbyChange OwnPlayerLeaves(LiveLobby& live, std::int32_t roomId);

// What the client asks of the logged-in player's contacts and presence, answered as the
// game server does: an add by name ("52,<Base64>,!") gives the new relation as type 51,
// or type 52 with 2 (already listed) or 1 (no such nickname); a relation change (53) and
// a removal (54) are echoed, for an unknown contact id too; the own presence (17) comes
// back as type 17 with the own player id.
LobbyChange ClientAddsContact(LiveLobby& live, std::string_view nameUtf8);
LobbyChange ClientSetsRelation(LiveLobby& live, std::int32_t contactId, std::int32_t relation);
LobbyChange ClientRemovesContact(LiveLobby& live, std::int32_t contactId);
LobbyChange ClientSetsPresence(LiveLobby& live, std::int32_t status);
