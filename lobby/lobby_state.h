// The lobby lists and selections the hub keeps from the server's messages. Owned by
// the main window's thread.
//
// The lists keep arrival order (the room list: the order of its sort). They and the values
// below are read through const views and changed only through the functions of this
// header, which keep each list's id index in step; lookups answer as a walk from the front
// would (first match), and the Last/Every forms as a walk from the back, or of the whole
// list, would.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lobby/id_index.h"
#include "lobby/records.h"

const std::vector<RoomRecord>& Rooms();
const std::vector<RoomRecord>& TournamentRooms();
const std::vector<PlayerRecord>& Players();
const std::vector<RoomPresenceRecord>& RoomPresences();
const std::vector<TableRecord>& Tables();
const std::vector<TableRecord>& TournamentTables();
const std::vector<SeatRecord>& Seats();
const std::vector<ContactRecord>& ContactRelations();

extern const std::int32_t& OwnPlayerId;
extern const std::wstring& ownDisplayName;  // the own player's name from the player records
extern const std::int32_t& SelectedRoomId;
extern const std::int32_t& SelectedTournamentId;
// Until the first room (tournament) list of a connection arrives, every remembered room
// counts as listed for config.ini, and that first list drops the rooms it does not name.
extern const bool& FirstRoomListPending;
extern const bool& FirstTournamentListPending;

void SetSelectedRoomId(std::int32_t id);
void SetSelectedTournamentId(std::int32_t id);
void SetFirstRoomListPending(bool pending);
void SetOwnDisplayName(std::wstring name);
void SetOwnPlayerId(std::int32_t id);

// The lobby part of the reset before a reconnect: lists emptied, rooms kept with their
// remembered places but no users, not listed and no window; selections cleared.
void ResetLobbyForReconnect();
// Every list emptied (its memory given back) and every selection cleared (start of a test
// or a benchmark run).
void ClearLobby();
// Whether every id index is what indexing its list afresh gives (the tests and fuzzers
// check that no change left one stale).
bool LobbyIndexesExact();

// What of the room list's rows changed since its view last showed them: the rooms at
// positions first to last read differently, or rows came, went or changed places
// (`moved`). The changes below note themselves here.
struct RoomListChange {
    std::size_t first = kNotFound;
    std::size_t last = 0;
    bool moved = false;
};
// What changed since the last call; from now on, nothing.
RoomListChange TakeRoomListChange();

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
void AddTournamentRoom(RoomRecord room);  // config.ini's remembered ones; nothing else adds
void AddPlayer(PlayerRecord player);
void AddPresence(RoomPresenceRecord presence);
void AddTable(TableRecord table);
void AddSeat(SeatRecord seat);
void AddContact(ContactRecord contact);
// A position past the end (kNotFound among them) removes nothing.
void RemoveRoomAt(std::size_t position);
void RemovePlayerAt(std::size_t position);
void RemovePresenceAt(std::size_t position);
void RemoveTableAt(std::size_t position);
void RemoveSeatAt(std::size_t position);
void RemoveContactAt(std::size_t position);

// A room the server lists again: its name, money kind and state, and listed.
void RelistRoomAt(std::size_t position, std::wstring name, std::int32_t moneyKind,
                  std::int32_t state);
void ChangeRoomUsersAt(std::size_t position, std::int32_t change);
// A room's (a table's) window: open on `window`, or closed when it is 0.
void SetRoomWindowAt(std::size_t position, WindowRef window);
void SetTableWindowAt(std::size_t position, WindowRef window);
// The remembered place of a room's (a tournament room's) window.
void SetRoomPlaceAt(std::size_t position, std::int32_t left, std::int32_t top);
void SetTournamentPlaceAt(std::size_t position, std::int32_t left, std::int32_t top);
// The room (tournament) list sorted by `before`; false when it was in order already.
// Usually the list is in order up to the rooms just added: those are sorted on their own
// and merged in. Not stable.
using RoomOrder = std::function<bool(const RoomRecord&, const RoomRecord&)>;
bool SortRoomRecords(const RoomOrder& before);
bool SortTournamentRecords(const RoomOrder& before);

// A player record takes the place of the first one with its id, or is added; true when
// it replaced one.
bool PutPlayer(PlayerRecord player);
void SetPlayerStatusAt(std::size_t position, std::int32_t status);
// Value `value` of a table (any but 0, its id).
void SetTableValueAt(std::size_t position, int value, std::int32_t number);
void SetContactRelationAt(std::size_t position, std::int32_t relation);

// --- Removals with a condition: every record for which test(record) holds, the order of
// the rest kept (as removing them one by one from the end would); how many went ---
std::size_t RemoveRoomsWhere(const std::function<bool(const RoomRecord&)>& test);
std::size_t RemovePresencesWhere(const std::function<bool(const RoomPresenceRecord&)>& test);
std::size_t RemoveTablesWhere(const std::function<bool(const TableRecord&)>& test);
std::size_t RemoveSeatsWhere(const std::function<bool(const SeatRecord&)>& test);
