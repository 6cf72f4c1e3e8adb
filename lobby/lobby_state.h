// The lobby lists and selections the hub keeps from the server's messages. Owned by
// the main window's thread.
#pragma once

#include <cstdint>
#include <vector>

#include "lobby/records.h"

extern std::vector<RoomRecord> rooms;
extern std::vector<RoomRecord> tournamentRooms;
extern std::vector<PlayerRecord> players;
extern std::vector<RoomPresenceRecord> roomPresences;
extern std::vector<TableRecord> tables;
extern std::vector<TableRecord> tournamentTables;
extern std::vector<SeatRecord> seats;
extern std::vector<ContactRecord> contactRelations;
extern std::vector<JoinRecord> joinRequests;

extern std::int32_t OwnPlayerId;
extern std::int32_t SelectedRoomId;
extern std::int32_t SelectedTournamentId;
// Until the first room (tournament) list of a connection arrives, every remembered room
// counts as listed for config.ini, and that first list drops the rooms it does not name.
extern bool FirstRoomListPending;
extern bool FirstTournamentListPending;

// A room remembered by config.ini before any connection: id and window place only.
void AddRememberedRoom(std::vector<RoomRecord>& list, std::int32_t id, std::int32_t left,
                       std::int32_t top);

// The lobby part of the reset before a reconnect: lists emptied, rooms kept with their
// remembered places but no users, not listed and no window; selections cleared.
void ResetLobbyForReconnect();
