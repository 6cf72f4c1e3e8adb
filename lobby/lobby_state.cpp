// Definitions of the lobby lists and their indexes.
#include "lobby/lobby_state.h"

#include "lobby/join_requests.h"

std::vector<RoomRecord> rooms;
std::vector<RoomRecord> tournamentRooms;
std::vector<PlayerRecord> players;
std::vector<RoomPresenceRecord> roomPresences;
std::vector<TableRecord> tables;
std::vector<TableRecord> tournamentTables;
std::vector<SeatRecord> seats;
std::vector<ContactRecord> contactRelations;

std::int32_t OwnPlayerId = 0;
std::wstring ownDisplayName;
std::int32_t SelectedRoomId = 0;
std::int32_t SelectedTournamentId = 0;
bool FirstRoomListPending = true;
bool FirstTournamentListPending = true;

IdIndex roomIndex, playerIndex, presenceIndex, tableIndex, seatIndex, contactIndex;

namespace {

std::int32_t PlayerId(const PlayerRecord& player) {
    return player.id;
}
std::int32_t ContactId(const ContactRecord& contact) {
    return contact.contactId;
}

void ForgetRoomSessions(std::vector<RoomRecord>& list) {
    for (RoomRecord& room : list) {
        room.users = 0;
        room.listed = false;
        room.windowOpen = false;
        room.window = 0;
    }
}

void ClearSessionLists() {
    players.clear();
    contactRelations.clear();
    roomPresences.clear();
    tables.clear();
    seats.clear();
    ClearJoinRequests();
    IndexRebuild(playerIndex, players, PlayerId);
    IndexRebuild(contactIndex, contactRelations, ContactId);
    IndexRebuild(presenceIndex, roomPresences, PresenceId);
    IndexRebuild(tableIndex, tables, TableId);
    IndexRebuild(seatIndex, seats, SeatId);
}

}  // namespace

void SetOwnPlayerId(std::int32_t id) {
    OwnPlayerId = id;
}

void SetSelectedRoomId(std::int32_t id) {
    SelectedRoomId = id;
}

void SetSelectedTournamentId(std::int32_t id) {
    SelectedTournamentId = id;
}

void SetFirstRoomListPending(bool pending) {
    FirstRoomListPending = pending;
}

void SetOwnDisplayName(std::wstring name) {
    ownDisplayName = std::move(name);
}

void AddRememberedRoom(std::vector<RoomRecord>& list, std::int32_t id, std::int32_t left,
                       std::int32_t top) {
    RoomRecord room;
    room.id = id;
    room.windowX = left;
    room.windowY = top;
    if (&list == &rooms)
        AddRoom(std::move(room));
    else
        list.push_back(std::move(room));
}

void ResetLobbyForReconnect() {
    ClearSessionLists();
    ForgetRoomSessions(rooms);
    ForgetRoomSessions(tournamentRooms);
    SetFirstRoomListPending(true);
    FirstTournamentListPending = true;
    SetSelectedRoomId(0);
    SelectedTournamentId = 0;
}

void ClearLobby() {
    ClearSessionLists();
    rooms.clear();
    tournamentRooms.clear();
    tournamentTables.clear();
    IndexRebuild(roomIndex, rooms, RoomId);
    SetOwnDisplayName(std::wstring());
    SetFirstRoomListPending(true);
    FirstTournamentListPending = true;
    SetSelectedRoomId(0);
    SelectedTournamentId = 0;
}

std::size_t FirstRoom(std::int32_t id) {
    return IndexFirst(roomIndex, rooms, RoomId, id);
}
std::size_t LastRoom(std::int32_t id) {
    return IndexLast(roomIndex, rooms, RoomId, id);
}
std::vector<std::size_t> EveryRoom(std::int32_t id) {
    return IndexEvery(roomIndex, rooms, RoomId, id);
}
std::size_t FirstPlayer(std::int32_t id) {
    return IndexFirst(playerIndex, players, PlayerId, id);
}
std::size_t FirstPresence(std::int32_t presenceId) {
    return IndexFirst(presenceIndex, roomPresences, PresenceId, presenceId);
}
std::size_t FirstTable(std::int32_t id) {
    return IndexFirst(tableIndex, tables, TableId, id);
}
std::size_t LastTable(std::int32_t id) {
    return IndexLast(tableIndex, tables, TableId, id);
}
std::vector<std::size_t> EveryTable(std::int32_t id) {
    return IndexEvery(tableIndex, tables, TableId, id);
}
std::size_t FirstSeat(std::int32_t seatId) {
    return IndexFirst(seatIndex, seats, SeatId, seatId);
}
std::size_t FirstContact(std::int32_t contactId) {
    return IndexFirst(contactIndex, contactRelations, ContactId, contactId);
}

void AddRoom(RoomRecord room) {
    IndexAppend(roomIndex, rooms, RoomId, std::move(room));
}
void AddPlayer(PlayerRecord player) {
    IndexAppend(playerIndex, players, PlayerId, std::move(player));
}
void AddPresence(RoomPresenceRecord presence) {
    IndexAppend(presenceIndex, roomPresences, PresenceId, presence);
}
void AddTable(TableRecord table) {
    IndexAppend(tableIndex, tables, TableId, table);
}
void AddSeat(SeatRecord seat) {
    IndexAppend(seatIndex, seats, SeatId, seat);
}
void AddContact(ContactRecord contact) {
    IndexAppend(contactIndex, contactRelations, ContactId, contact);
}

void RemoveRoomAt(std::size_t position) {
    IndexRemoveAt(roomIndex, rooms, RoomId, position);
}
void RemovePlayerAt(std::size_t position) {
    IndexRemoveAt(playerIndex, players, PlayerId, position);
}
void RemovePresenceAt(std::size_t position) {
    IndexRemoveAt(presenceIndex, roomPresences, PresenceId, position);
}
void RemoveTableAt(std::size_t position) {
    IndexRemoveAt(tableIndex, tables, TableId, position);
}
void RemoveSeatAt(std::size_t position) {
    IndexRemoveAt(seatIndex, seats, SeatId, position);
}
void RemoveContactAt(std::size_t position) {
    IndexRemoveAt(contactIndex, contactRelations, ContactId, position);
}

void RoomListReordered() {
    IndexRebuild(roomIndex, rooms, RoomId);
}
