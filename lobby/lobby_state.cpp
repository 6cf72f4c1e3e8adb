// The lobby lists with their id indexes, and the only functions that change them.
#include "lobby/lobby_state.h"

#include <algorithm>
#include <utility>

#include "lobby/join_requests.h"

namespace {

std::int32_t RoomId(const RoomRecord& room) {
    return room.id;
}
std::int32_t PlayerId(const PlayerRecord& player) {
    return player.id;
}
std::int32_t PresenceId(const RoomPresenceRecord& presence) {
    return presence.presenceId;
}
std::int32_t TableId(const TableRecord& table) {
    return table.id();
}
std::int32_t SeatId(const SeatRecord& seat) {
    return seat.seatId;
}
std::int32_t ContactId(const ContactRecord& contact) {
    return contact.contactId;
}

// One list and its index, changed only together.
template <class Record, std::int32_t (*IdOf)(const Record&)>
struct IndexedList {
    std::vector<Record> records;
    IdIndex index;

    std::size_t First(std::int32_t id) { return IndexFirst(index, records, IdOf, id); }
    std::size_t Last(std::int32_t id) { return IndexLast(index, records, IdOf, id); }
    std::vector<std::size_t> Every(std::int32_t id) { return IndexEvery(index, records, IdOf, id); }
    void Add(Record record) { IndexAppend(index, records, IdOf, std::move(record)); }
    void RemoveAt(std::size_t position) { IndexRemoveAt(index, records, IdOf, position); }
    std::size_t RemoveWhere(const std::function<bool(const Record&)>& test) {
        return IndexRemoveIf(index, records, IdOf, test);
    }
    void Reindex() { IndexRebuild(index, records, IdOf); }
    // `release`: the memory goes back too.
    void Clear(bool release) {
        if (release)
            std::vector<Record>().swap(records);
        else
            records.clear();
        Reindex();
    }
    bool Exact() { return IndexExact(index, records, IdOf); }
};

IndexedList<RoomRecord, RoomId> rooms;
IndexedList<PlayerRecord, PlayerId> players;
IndexedList<RoomPresenceRecord, PresenceId> roomPresences;
IndexedList<TableRecord, TableId> tables;
IndexedList<SeatRecord, SeatId> seats;
IndexedList<ContactRecord, ContactId> contactRelations;
// Nothing from the server fills these two: they need no index.
std::vector<RoomRecord> tournamentRooms;
std::vector<TableRecord> tournamentTables;

std::int32_t ownPlayerId = 0;
std::wstring ownName;
std::int32_t selectedRoomId = 0;
std::int32_t selectedTournamentId = 0;
bool firstRoomListPending = true;
bool firstTournamentListPending = true;
RoomListChange roomListChange;

void NoteRoomMoves() {
    roomListChange.moved = true;
}
void NoteRoomChangeAt(std::size_t position) {
    roomListChange.first = std::min(roomListChange.first, position);
    roomListChange.last = std::max(roomListChange.last, position);
}

void ForgetRoomSessions(std::vector<RoomRecord>& list) {
    for (RoomRecord& room : list) {
        room.users = 0;
        room.listed = false;
        room.windowOpen = false;
        room.window = 0;
    }
}

void ClearSessionLists(bool release) {
    players.Clear(release);
    contactRelations.Clear(release);
    roomPresences.Clear(release);
    tables.Clear(release);
    seats.Clear(release);
    ClearJoinRequests();
}

void ClearSelections() {
    firstRoomListPending = true;
    firstTournamentListPending = true;
    selectedRoomId = 0;
    selectedTournamentId = 0;
    NoteRoomMoves();
}

void SetWindow(auto& record, WindowRef window) {
    record.windowOpen = window != 0;
    record.window = window;
}

bool SortList(std::vector<RoomRecord>& list, const RoomOrder& before) {
    const auto unsorted = std::is_sorted_until(list.begin(), list.end(), before);
    if (unsorted == list.end()) return false;
    std::sort(unsorted, list.end(), before);
    std::inplace_merge(list.begin(), unsorted, list.end(), before);
    return true;
}

}  // namespace

const std::int32_t& OwnPlayerId = ownPlayerId;
const std::wstring& ownDisplayName = ownName;
const std::int32_t& SelectedRoomId = selectedRoomId;
const std::int32_t& SelectedTournamentId = selectedTournamentId;
const bool& FirstRoomListPending = firstRoomListPending;
const bool& FirstTournamentListPending = firstTournamentListPending;

const std::vector<RoomRecord>& Rooms() {
    return rooms.records;
}
const std::vector<RoomRecord>& TournamentRooms() {
    return tournamentRooms;
}
const std::vector<PlayerRecord>& Players() {
    return players.records;
}
const std::vector<RoomPresenceRecord>& RoomPresences() {
    return roomPresences.records;
}
const std::vector<TableRecord>& Tables() {
    return tables.records;
}
const std::vector<TableRecord>& TournamentTables() {
    return tournamentTables;
}
const std::vector<SeatRecord>& Seats() {
    return seats.records;
}
const std::vector<ContactRecord>& ContactRelations() {
    return contactRelations.records;
}

void SetOwnPlayerId(std::int32_t id) {
    ownPlayerId = id;
}
void SetSelectedRoomId(std::int32_t id) {
    // The selected room's name is grey.
    if (id == selectedRoomId) return;
    for (std::int32_t shown : {selectedRoomId, id})
        for (std::size_t at : rooms.Every(shown))
            NoteRoomChangeAt(at);
    selectedRoomId = id;
}
void SetSelectedTournamentId(std::int32_t id) {
    selectedTournamentId = id;
}
void SetFirstRoomListPending(bool pending) {
    firstRoomListPending = pending;
}
void SetOwnDisplayName(std::wstring name) {
    ownName = std::move(name);
}

void ResetLobbyForReconnect() {
    ClearSessionLists(false);
    ForgetRoomSessions(rooms.records);
    ForgetRoomSessions(tournamentRooms);
    ClearSelections();
}

void ClearLobby() {
    ClearSessionLists(true);
    rooms.Clear(true);
    std::vector<RoomRecord>().swap(tournamentRooms);
    std::vector<TableRecord>().swap(tournamentTables);
    ownName.clear();
    ClearSelections();
}

bool LobbyIndexesExact() {
    return rooms.Exact() && players.Exact() && roomPresences.Exact() && tables.Exact() &&
           seats.Exact() && contactRelations.Exact();
}

std::size_t FirstRoom(std::int32_t id) {
    return rooms.First(id);
}
std::size_t LastRoom(std::int32_t id) {
    return rooms.Last(id);
}
std::vector<std::size_t> EveryRoom(std::int32_t id) {
    return rooms.Every(id);
}
std::size_t FirstPlayer(std::int32_t id) {
    return players.First(id);
}
std::size_t FirstPresence(std::int32_t presenceId) {
    return roomPresences.First(presenceId);
}
std::size_t FirstTable(std::int32_t id) {
    return tables.First(id);
}
std::size_t LastTable(std::int32_t id) {
    return tables.Last(id);
}
std::vector<std::size_t> EveryTable(std::int32_t id) {
    return tables.Every(id);
}
std::size_t FirstSeat(std::int32_t seatId) {
    return seats.First(seatId);
}
std::size_t FirstContact(std::int32_t contactId) {
    return contactRelations.First(contactId);
}

RoomListChange TakeRoomListChange() {
    return std::exchange(roomListChange, RoomListChange{});
}

void AddRoom(RoomRecord room) {
    NoteRoomMoves();
    rooms.Add(std::move(room));
}
void AddTournamentRoom(RoomRecord room) {
    tournamentRooms.push_back(std::move(room));
}
void AddPlayer(PlayerRecord player) {
    players.Add(std::move(player));
}
void AddPresence(RoomPresenceRecord presence) {
    roomPresences.Add(presence);
}
void AddTable(TableRecord table) {
    tables.Add(table);
}
void AddSeat(SeatRecord seat) {
    seats.Add(seat);
}
void AddContact(ContactRecord contact) {
    contactRelations.Add(contact);
}

void RemoveRoomAt(std::size_t position) {
    if (position < rooms.records.size()) NoteRoomMoves();
    rooms.RemoveAt(position);
}
void RemovePlayerAt(std::size_t position) {
    players.RemoveAt(position);
}
void RemovePresenceAt(std::size_t position) {
    roomPresences.RemoveAt(position);
}
void RemoveTableAt(std::size_t position) {
    tables.RemoveAt(position);
}
void RemoveSeatAt(std::size_t position) {
    seats.RemoveAt(position);
}
void RemoveContactAt(std::size_t position) {
    contactRelations.RemoveAt(position);
}

void RelistRoomAt(std::size_t position, std::wstring name, std::int32_t moneyKind,
                  std::int32_t state) {
    RoomRecord& room = rooms.records.at(position);
    if (!room.listed)
        NoteRoomMoves();  // it takes a row now
    else if (room.name != name || room.moneyKind != moneyKind || room.state != state)
        NoteRoomChangeAt(position);
    room.name = std::move(name);
    room.moneyKind = moneyKind;
    room.state = state;
    room.listed = true;
}
void ChangeRoomUsersAt(std::size_t position, std::int32_t change) {
    if (change != 0) NoteRoomChangeAt(position);
    rooms.records.at(position).users += change;
}
void SetRoomWindowAt(std::size_t position, WindowRef window) {
    SetWindow(rooms.records.at(position), window);
    NoteRoomChangeAt(position);
}
void SetTableWindowAt(std::size_t position, WindowRef window) {
    SetWindow(tables.records.at(position), window);
}
void SetRoomPlaceAt(std::size_t position, std::int32_t left, std::int32_t top) {
    rooms.records.at(position).windowX = left;
    rooms.records.at(position).windowY = top;
}
void SetTournamentPlaceAt(std::size_t position, std::int32_t left, std::int32_t top) {
    tournamentRooms.at(position).windowX = left;
    tournamentRooms.at(position).windowY = top;
}
bool SortRoomRecords(const RoomOrder& before) {
    if (!SortList(rooms.records, before)) return false;
    NoteRoomMoves();
    rooms.Reindex();
    return true;
}
bool SortTournamentRecords(const RoomOrder& before) {
    return SortList(tournamentRooms, before);
}

bool PutPlayer(PlayerRecord player) {
    const std::size_t at = players.First(player.id);
    if (at == kNotFound) {
        players.Add(std::move(player));
        return false;
    }
    players.records[at] = std::move(player);
    return true;
}
void SetPlayerStatusAt(std::size_t position, std::int32_t status) {
    players.records.at(position).status = status;
}
void SetTableValueAt(std::size_t position, int value, std::int32_t number) {
    if (value > 0 && value < kTableValueCount) tables.records.at(position).values[value] = number;
}
void SetContactRelationAt(std::size_t position, std::int32_t relation) {
    contactRelations.records.at(position).relation = relation;
}

std::size_t RemoveRoomsWhere(const std::function<bool(const RoomRecord&)>& test) {
    const std::size_t removed = rooms.RemoveWhere(test);
    if (removed > 0) NoteRoomMoves();
    return removed;
}
std::size_t RemovePresencesWhere(const std::function<bool(const RoomPresenceRecord&)>& test) {
    return roomPresences.RemoveWhere(test);
}
std::size_t RemoveTablesWhere(const std::function<bool(const TableRecord&)>& test) {
    return tables.RemoveWhere(test);
}
std::size_t RemoveSeatsWhere(const std::function<bool(const SeatRecord&)>& test) {
    return seats.RemoveWhere(test);
}
