// The lobby's records as the hub keeps them: lists in arrival order, searched linearly
// by id (first match wins). Window handles of sibling windows are stored as integers so
// the models stay free of Windows types.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using WindowRef = std::uintptr_t;  // an HWND of a sibling window; 0 = none

// Rooms and tournament rooms.
inline constexpr std::int32_t kRoomLocked = 2;        // a room's state when nobody may enter
inline constexpr std::int32_t kTournamentClosed = 4;  // a tournament's when nobody may enter

struct RoomRecord {
    std::int32_t id = 0;
    std::wstring name;
    std::int32_t moneyKind = 0;             // 1 real money, 2 play money, 3 free
    std::int32_t state = 0;                 // 2: locked (rooms) / 4: closed (tournaments)
    std::int32_t users = 0;                 // presence records of this room
    std::int32_t windowX = 0, windowY = 0;  // remembered place of its window
    bool listed = false;                    // named by the server since the last connect
    bool windowOpen = false;
    WindowRef window = 0;
};

struct PlayerRecord {
    std::int32_t id = 0;
    std::wstring name;
    std::int32_t value = 0;   // passed on to the siblings, not interpreted
    std::int32_t status = 0;  // 1 shown as offline, 2 do not disturb, 3 away, 4 online, 0 gone
};

struct RoomPresenceRecord {
    std::int32_t presenceId = 0, roomId = 0, playerId = 0;
};

// Tables and tournament tables: seventeen values as the server sends them.
inline constexpr int kTableValueCount = 17;
struct TableRecord {
    std::array<std::int32_t, kTableValueCount> values{};  // 0 id, 1 room id, 5/6 players
    bool windowOpen = false;
    WindowRef window = 0;
    std::int32_t id() const { return values[0]; }
    std::int32_t roomId() const { return values[1]; }
};

struct SeatRecord {
    std::int32_t seatId = 0, roomId = 0, tableId = 0, playerId = 0;
};

struct ContactRecord {
    std::int32_t contactId = 0, playerId = 0,
                 relation = 0;  // relation 0 friend, 1 plain, 2 ignored
};

struct JoinRecord {
    std::int32_t joinId = 0, roomId = 0, tableId = 0, playerA = 0, playerB = 0;
    std::int32_t answerCount = 0;
    bool windowOpen = false;
    WindowRef window = 0;
};
