// Definitions of the lobby lists.
#include "lobby/lobby_state.h"

std::vector<RoomRecord> rooms;
std::vector<RoomRecord> tournamentRooms;
std::vector<PlayerRecord> players;
std::vector<RoomPresenceRecord> roomPresences;
std::vector<TableRecord> tables;
std::vector<TableRecord> tournamentTables;
std::vector<SeatRecord> seats;
std::vector<ContactRecord> contactRelations;
std::vector<JoinRecord> joinRequests;

std::int32_t OwnPlayerId = 0;
std::int32_t SelectedRoomId = 0;
std::int32_t SelectedTournamentId = 0;
bool FirstRoomListPending = true;
bool FirstTournamentListPending = true;

void AddRememberedRoom(std::vector<RoomRecord>& list, std::int32_t id, std::int32_t left,
                       std::int32_t top) {
    RoomRecord room;
    room.id = id;
    room.windowX = left;
    room.windowY = top;
    list.push_back(room);
}

namespace {
void ForgetRoomSessions(std::vector<RoomRecord>& list) {
    for (RoomRecord& room : list) {
        room.users = 0;
        room.listed = false;
        room.windowOpen = false;
        room.window = 0;
    }
}
}  // namespace

void ResetLobbyForReconnect() {
    players.clear();
    contactRelations.clear();
    roomPresences.clear();
    tables.clear();
    seats.clear();
    joinRequests.clear();
    ForgetRoomSessions(rooms);
    ForgetRoomSessions(tournamentRooms);
    FirstRoomListPending = true;
    FirstTournamentListPending = true;
    SelectedRoomId = 0;
    SelectedTournamentId = 0;
}
