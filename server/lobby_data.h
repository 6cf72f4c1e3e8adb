// The lobby the development server shows every account: players, rooms, who is in which
// room, tables and seats, and each account's contact relations. Generated once from a
// fixed seed, so every run (and every test) sees the same data.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct PlayerEntry {
    std::int32_t id;
    std::string name;     // UTF-8, never holds a separator
    std::int32_t value;   // a rating; the client passes it on
    std::int32_t status;  // 1 shown as offline, 2 do not disturb, 3 away, 4 online
};

struct RoomEntry {
    std::int32_t id;
    std::string name;
    std::int32_t moneyKind;  // 1 real money, 2 play money, 3 free
    std::int32_t state;      // 2 locked, 1 open
};

struct PresenceEntry {
    std::int32_t id, roomId, playerId;
};

struct TableEntry {
    // 0 table id, 1 room id, 2 playing, 3 match length, 4 stake, 5 and 6 the players
    // (0: seat free), 7 clock seconds per move, 8 and 9 the score, 10 private,
    // 11 minimum rating, 12 watchers, 13 to 15 unused, 16 always 0.
    std::array<std::int32_t, 17> values;
    std::int32_t openingMark;  // always 0: the client opens nothing on its own
};

struct SeatEntry {
    std::int32_t id, roomId, tableId, playerId;
};

struct ContactEntry {
    std::int32_t id, playerId;
    std::int32_t relation;  // 0 friend, 1 plain contact, 2 ignored
};

struct Lobby {
    std::vector<PlayerEntry> players;
    std::vector<RoomEntry> rooms;
    std::vector<PresenceEntry> presences;
    std::vector<TableEntry> tables;
    std::vector<SeatEntry> seats;
};

inline constexpr std::int32_t kRoomOpen = 1;
inline constexpr std::int32_t kRoomLocked = 2;

const Lobby& DemoLobby();
Lobby GenerateLobby();

// Contact relations of one player: friends, plain contacts and one ignored player.
std::vector<ContactEntry> ContactsOf(const Lobby& lobby, std::int32_t playerId);
