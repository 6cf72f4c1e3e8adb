// The lobby lists and selections the hub keeps from the server's messages. Owned by
// the main window's thread.
//
// The lists keep arrival order (the room list: the order of its sort). Rooms, players,
// presences, tables, seats and contact relations are changed only through the functions
// below, which keep each list's id index in step; lookups answer as a walk from the front
// would (first match), and the Last/Every forms as a walk from the back, or of the whole
// list, would.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "lobby/id_index.h"
#include "lobby/records.h"

extern std::vector<RoomRecord> rooms;
extern std::vector<RoomRecord> tournamentRooms;
extern std::vector<PlayerRecord> players;
extern std::vector<RoomPresenceRecord> roomPresences;
extern std::vector<TableRecord> tables;
extern std::vector<TableRecord> tournamentTables;
extern std::vector<SeatRecord> seats;
extern std::vector<ContactRecord> contactRelations;

extern std::int32_t OwnPlayerId;
extern std::wstring ownDisplayName;  // the own player's name from the player records
extern std::int32_t SelectedRoomId;
extern std::int32_t SelectedTournamentId;
// Until the first room (tournament) list of a connection arrives, every remembered room
// counts as listed for config.ini, and that first list drops the rooms it does not name.
extern bool FirstRoomListPending;
extern bool FirstTournamentListPending;

void SetSelectedRoomId(std::int32_t id);
void SetSelectedTournamentId(std::int32_t id);
void SetFirstRoomListPending(bool pending);
void SetOwnDisplayName(std::wstring name);
void SetOwnPlayerId(std::int32_t id);

// A room remembered by config.ini before any connection: id and window place only.
void AddRememberedRoom(std::vector<RoomRecord>& list, std::int32_t id, std::int32_t left,
                       std::int32_t top);

// The lobby part of the reset before a reconnect: lists emptied, rooms kept with their
// remembered places but no users, not listed and no window; selections cleared.
void ResetLobbyForReconnect();
// Every list emptied and every selection cleared (start of a test or a benchmark run).
void ClearLobby();

// --- Lookups: positions in the lists, kNotFound when there is none ---
std::size_t FirstRoom(std::int32_t id);
std::size_t LastRoom(std::int32_t id);
std::vector<std::size_t> EveryRoom(std::int32_t id);
std::size_t FirstPlayer(std::int32_t id);
std::size_t FirstPresence(std::int32_t presenceId);
std::size_t FirstTable(std::int32_t id);
std::size_t LastTable(std::int32_t id);
std::vector<std::size_t> EveryTable(std::int32_t id);
std::size_t FirstSeat(std::int32_t seatId);
std::size_t FirstContact(std::int32_t contactId);

// --- Changes ---
void AddRoom(RoomRecord room);
void AddPlayer(PlayerRecord player);
void AddPresence(RoomPresenceRecord presence);
void AddTable(TableRecord table);
void AddSeat(SeatRecord seat);
void AddContact(ContactRecord contact);
void RemoveRoomAt(std::size_t position);
void RemovePlayerAt(std::size_t position);
void RemovePresenceAt(std::size_t position);
void RemoveTableAt(std::size_t position);
void RemoveSeatAt(std::size_t position);
void RemoveContactAt(std::size_t position);
// The room list was reordered in place (its sort): its index is built again.
void RoomListReordered();

// --- Removals with a condition: every record for which test(record) holds, the order of
// the rest kept (as removing them one by one from the end would); how many went ---
extern IdIndex roomIndex, playerIndex, presenceIndex, tableIndex, seatIndex, contactIndex;

inline std::int32_t RoomId(const RoomRecord& room) {
    return room.id;
}
inline std::int32_t PresenceId(const RoomPresenceRecord& presence) {
    return presence.presenceId;
}
inline std::int32_t TableId(const TableRecord& table) {
    return table.id();
}
inline std::int32_t SeatId(const SeatRecord& seat) {
    return seat.seatId;
}

template <class Test>
std::size_t RemoveRoomsWhere(Test test) {
    return IndexRemoveIf(roomIndex, rooms, RoomId, test);
}
template <class Test>
std::size_t RemovePresencesWhere(Test test) {
    return IndexRemoveIf(presenceIndex, roomPresences, PresenceId, test);
}
template <class Test>
std::size_t RemoveTablesWhere(Test test) {
    return IndexRemoveIf(tableIndex, tables, TableId, test);
}
template <class Test>
std::size_t RemoveSeatsWhere(Test test) {
    return IndexRemoveIf(seatIndex, seats, SeatId, test);
}
