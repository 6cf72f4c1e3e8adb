// The lobby edits: each keeps every id the client holds valid.
#include "server/lobby_edits.h"

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

namespace LiveEdits {

std::string Record(std::int32_t type, const std::string& record) {
    return IntToText(type) + "," + record + ";,!";
}

bool ValidName(std::string_view name) {
    return !name.empty() && name.find_first_of(",;:!") == std::string_view::npos;
}

bool IsBase64(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letter && c != '+' && c != '/' && c != '=') return false;
    }
    return true;
}

PlayerEntry* FindPlayer(LiveLobby& live, std::int32_t id) {
    return Find(live.lobby.players, [&](const PlayerEntry& p) { return p.id == id; });
}

RoomEntry* FindRoom(LiveLobby& live, std::int32_t id) {
    return Find(live.lobby.rooms, [&](const RoomEntry& r) { return r.id == id; });
}

TableEntry* FindTable(LiveLobby& live, std::int32_t id) {
    return Find(live.lobby.tables, [&](const TableEntry& t) { return t.values[0] == id; });
}

PresenceEntry* FindPresence(LiveLobby& live, std::int32_t room, std::int32_t player) {
    return Find(live.lobby.presences,
                [&](const PresenceEntry& p) { return p.roomId == room && p.playerId == player; });
}

SeatEntry* FindSeat(LiveLobby& live, std::int32_t id) {
    return Find(live.lobby.seats, [&](const SeatEntry& s) { return s.id == id; });
}

ContactEntry* FindContact(LiveLobby& live, std::int32_t player) {
    return Find(live.contacts, [&](const ContactEntry& c) { return c.playerId == player; });
}

bool Plays(const TableEntry& table, std::int32_t player) {
    return table.values[5] == player || table.values[6] == player;
}

bool SeatedAt(const LiveLobby& live, std::int32_t table, std::int32_t player) {
    return std::any_of(live.lobby.seats.begin(), live.lobby.seats.end(), [&](const SeatEntry& s) {
        return s.tableId == table && s.playerId == player;
    });
}

bool PlaysInRoom(const LiveLobby& live, std::int32_t room, std::int32_t player) {
    return std::any_of(
        live.lobby.tables.begin(), live.lobby.tables.end(),
        [&](const TableEntry& t) { return t.values[1] == room && Plays(t, player); });
}

void CloseTable(LiveLobby& live, std::int32_t tableId, LobbyChange& change) {
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.tableId == tableId; });
    std::erase_if(live.lobby.tables, [&](const TableEntry& t) { return t.values[0] == tableId; });
    change.messages.push_back(MessageText({"73", IntToText(tableId)}));
}

void CloseTablesOf(LiveLobby& live, std::int32_t player, std::int32_t room, LobbyChange& change) {
    std::vector<std::int32_t> closing;
    for (const TableEntry& t : live.lobby.tables) {
        if (Plays(t, player) && (room == 0 || t.values[1] == room)) closing.push_back(t.values[0]);
    }
    for (std::int32_t id : closing)
        CloseTable(live, id, change);
}

void DropPlayerPlaces(LiveLobby& live, std::int32_t id, LobbyChange& change) {
    CloseTablesOf(live, id, 0, change);
    std::erase_if(live.lobby.presences, [&](const PresenceEntry& p) { return p.playerId == id; });
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.playerId == id; });
}

void FreeSecondSeat(TableEntry& table, LobbyChange& change) {
    table.values[6] = 0;
    table.values[2] = 0;
    change.messages.push_back(Record(MSG_TABLES, TableRecord(table)));
}

LobbyChange AddPresence(LiveLobby& live, std::int32_t room, std::int32_t player) {
    if (FindPresence(live, room, player)) return FailedChange("already in that room");
    if (live.lobby.presences.size() >= kListLimit) return FailedChange("the lobby is full");
    PresenceEntry entry{live.nextPresenceId++, room, player};
    live.lobby.presences.push_back(entry);
    return MessageChange(Record(MSG_ROOM_PRESENCES, PresenceRecord(entry)),
                         "player " + IntToText(player) + " enters room " + IntToText(room));
}

LobbyChange RemovePresence(LiveLobby& live, std::int32_t room, std::int32_t player) {
    PresenceEntry* presence = FindPresence(live, room, player);
    if (!presence) return FailedChange("not in that room");
    std::int32_t presenceId = presence->id;
    LobbyChange change;
    for (TableEntry& t : live.lobby.tables) {
        if (t.values[1] == room && t.values[6] == player) FreeSecondSeat(t, change);
    }
    CloseTablesOf(live, player, room, change);
    // The client drops the player's other seats in the room itself on type 38.
    std::erase_if(live.lobby.seats,
                  [&](const SeatEntry& s) { return s.roomId == room && s.playerId == player; });
    std::erase_if(live.lobby.presences, [&](const PresenceEntry& p) { return p.id == presenceId; });
    change.messages.push_back(MessageText({"38", IntToText(presenceId)}));
    change.note = "player " + IntToText(player) + " leaves room " + IntToText(room);
    return change;
}

void Append(LobbyChange& into, LobbyChange&& more) {
    for (std::string& message : more.messages)
        into.messages.push_back(std::move(message));
}

LobbyChange EnsurePresent(LiveLobby& live, std::int32_t room, std::int32_t player) {
    if (FindPresence(live, room, player)) return {};
    return AddPresence(live, room, player);
}

namespace {

// Where a change puts a named player or room: `id` positive and `name` one the lists can
// carry; the entry with that id, or a new one at the end of `list` (only its id set,
// `added` set) while the list has room. The reason when there is none.
template <class Entry>
const char* PutNamed(std::vector<Entry>& list, std::int32_t id, std::string_view name,
                     const char* idRule, Entry*& entry, bool* added = nullptr) {
    if (id <= 0) return idRule;
    if (!ValidName(name)) return "a name is not empty and holds none of , ; : !";
    entry = Find(list, [&](const Entry& e) { return e.id == id; });
    if (added) *added = entry == nullptr;
    if (entry) return nullptr;
    if (list.size() >= kListLimit) return "the lobby is full";
    entry = &list.emplace_back();
    entry->id = id;
    return nullptr;
}

}  // namespace

LobbyChange PlayerIn(LiveLobby& live, std::int32_t id, std::int32_t status, std::string_view name) {
    if (id > 0 && status > 4) return FailedChange("status is 0 to 4");
    PlayerEntry* player = nullptr;
    bool added = false;
    if (const char* why =
            PutNamed(live.lobby.players, id, name, "player ids are positive", player, &added))
        return FailedChange(why);
    if (added) {
        player->value = kJoinedRating;
        // Players who join at random later never take this id.
        live.nextPlayerId = std::max(live.nextPlayerId, id + 1);
    }
    player->name = name;
    player->status = status;
    return MessageChange(Record(MSG_PLAYERS, PlayerRecord(*player)),
                         "player " + IntToText(id) + " (" + std::string(name) + ") is online");
}

LobbyChange PlayerOut(LiveLobby& live, std::int32_t id) {
    if (!FindPlayer(live, id)) return FailedChange("no such player");
    if (id == live.ownPlayerId) return FailedChange("the logged-in player stays");
    LobbyChange change;
    DropPlayerPlaces(live, id, change);
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.playerId == id; });
    std::erase_if(live.lobby.players, [&](const PlayerEntry& p) { return p.id == id; });
    change.messages.push_back(MessageText({"22", IntToText(id)}));
    change.note = "player " + IntToText(id) + " logs off";
    return change;
}

LobbyChange SetStatus(LiveLobby& live, std::int32_t id, std::int32_t status) {
    PlayerEntry* player = FindPlayer(live, id);
    if (!player) return FailedChange("no such player");
    if (status > 4) return FailedChange("status is 0 to 4");
    player->status = status;
    LobbyChange change;
    // Status 0 clears the player's rooms and seats on the client, as a log-off does.
    if (status == 0) DropPlayerPlaces(live, id, change);
    change.messages.push_back(MessageText({"17", IntToText(id), IntToText(status)}));
    change.note = "player " + IntToText(id) + " status " + IntToText(status);
    return change;
}

LobbyChange Enter(LiveLobby& live, std::int32_t roomId, std::int32_t player) {
    RoomEntry* room = FindRoom(live, roomId);
    if (!room) return FailedChange("no such room");
    if (room->state == kRoomLocked) return FailedChange("the room is locked");
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    return AddPresence(live, roomId, player);
}

LobbyChange SetRoomState(LiveLobby& live, std::int32_t roomId, std::int32_t state) {
    RoomEntry* room = FindRoom(live, roomId);
    if (!room) return FailedChange("no such room");
    room->state = state;
    return MessageChange(Record(MSG_ROOMS, RoomRecord(*room)),
                         "room " + IntToText(roomId) + " state " + IntToText(state));
}

LobbyChange AddRoom(LiveLobby& live, std::int32_t id, std::int32_t kind, std::int32_t state,
                    std::string_view name) {
    RoomEntry* room = nullptr;
    if (const char* why = PutNamed(live.lobby.rooms, id, name, "room ids are positive", room))
        return FailedChange(why);
    *room = {id, std::string(name), kind, state};
    return MessageChange(Record(MSG_ROOMS, RoomRecord(*room)),
                         "room " + IntToText(id) + " (" + std::string(name) + ") listed");
}

LobbyChange RemoveRoom(LiveLobby& live, std::int32_t id) {
    if (!FindRoom(live, id)) return FailedChange("no such room");
    auto inRoom = [&](const auto& entry) { return entry.roomId == id; };
    std::erase_if(live.lobby.presences, inRoom);
    std::erase_if(live.lobby.seats, inRoom);
    std::erase_if(live.lobby.tables, [&](const TableEntry& t) { return t.values[1] == id; });
    std::erase_if(live.lobby.rooms, [&](const RoomEntry& r) { return r.id == id; });
    return MessageChange(MessageText({"33", IntToText(id)}), "room " + IntToText(id) + " removed");
}

std::int32_t StakeFor(std::int32_t moneyKind) {
    return moneyKind == 1 ? 5 : moneyKind == 2 ? 500 : 0;
}

SeatEntry AddSeat(LiveLobby& live, std::int32_t room, std::int32_t table, std::int32_t player) {
    SeatEntry seat{live.nextSeatId++, room, table, player};
    live.lobby.seats.push_back(seat);
    return seat;
}

LobbyChange OpenTable(LiveLobby& live, std::int32_t roomId, std::int32_t player,
                      std::int32_t opponent, std::int32_t mark) {
    RoomEntry* room = FindRoom(live, roomId);
    if (!room) return FailedChange("no such room");
    if (!FindPlayer(live, player) || (opponent != 0 && !FindPlayer(live, opponent)))
        return FailedChange("no such player");
    if (player == opponent) return FailedChange("nobody plays against themselves");
    if (PlaysInRoom(live, roomId, player) || (opponent != 0 && PlaysInRoom(live, roomId, opponent)))
        return FailedChange("already playing in that room");
    if (live.lobby.tables.size() >= kListLimit || live.lobby.seats.size() + 2 > kListLimit)
        return FailedChange("the lobby is full");
    bool locked = room->state == kRoomLocked;
    if (locked && (!FindPresence(live, roomId, player) ||
                   (opponent != 0 && !FindPresence(live, roomId, opponent))))
        return FailedChange("the room is locked");
    std::int32_t moneyKind = room->moneyKind;

    LobbyChange change;
    Append(change, EnsurePresent(live, roomId, player));
    if (opponent != 0) Append(change, EnsurePresent(live, roomId, opponent));
    TableEntry table{};
    table.values[0] = live.nextTableId++;
    table.values[1] = roomId;
    table.values[2] = opponent != 0 ? 1 : 0;
    table.values[3] = 5;
    table.values[4] = StakeFor(moneyKind);
    table.values[5] = player;
    table.values[6] = opponent;
    table.values[7] = 30;
    table.openingMark = mark;
    change.messages.push_back(Record(MSG_TABLES, TableRecord(table)));
    // The mark asks the client once to open the table; later lists do not repeat it.
    table.openingMark = 0;
    live.lobby.tables.push_back(table);
    std::string seats = SeatRecord(AddSeat(live, roomId, table.values[0], player)) + ";";
    if (opponent != 0) seats += SeatRecord(AddSeat(live, roomId, table.values[0], opponent)) + ";";
    change.messages.push_back("72," + seats + ",!");
    change.note = "table " + IntToText(table.values[0]) + " opens in room " + IntToText(roomId);
    return change;
}

LobbyChange JoinTable(LiveLobby& live, std::int32_t tableId, std::int32_t player) {
    TableEntry* table = FindTable(live, tableId);
    if (!table) return FailedChange("no such table");
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    if (SeatedAt(live, tableId, player)) return FailedChange("already at that table");
    if (live.lobby.seats.size() >= kListLimit) return FailedChange("the lobby is full");
    std::int32_t roomId = table->values[1];
    RoomEntry* room = FindRoom(live, roomId);
    if (!FindPresence(live, roomId, player) && (!room || room->state == kRoomLocked))
        return FailedChange("the room is locked or gone");

    LobbyChange change;
    Append(change, EnsurePresent(live, roomId, player));
    table = FindTable(live, tableId);
    bool plays =
        table->values[6] == 0 && table->values[5] != player && !PlaysInRoom(live, roomId, player);
    if (plays) {
        table->values[6] = player;
        table->values[2] = 1;
        change.messages.push_back(Record(MSG_TABLES, TableRecord(*table)));
    }
    change.messages.push_back(
        Record(MSG_SEATS, SeatRecord(AddSeat(live, roomId, tableId, player))));
    change.note = "player " + IntToText(player) + (plays ? " plays at table " : " watches table ") +
                  IntToText(tableId);
    return change;
}

LobbyChange LeaveSeat(LiveLobby& live, std::int32_t seatId) {
    SeatEntry* seat = FindSeat(live, seatId);
    if (!seat) return FailedChange("no such seat");
    SeatEntry left = *seat;
    LobbyChange change;
    TableEntry* table = FindTable(live, left.tableId);
    if (table && table->values[5] == left.playerId) {
        CloseTable(live, left.tableId, change);
        change.note = "table " + IntToText(left.tableId) + " closes";
        return change;
    }
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.id == seatId; });
    change.messages.push_back(MessageText({"112", IntToText(seatId)}));
    if (table && table->values[6] == left.playerId) FreeSecondSeat(*table, change);
    change.note = "player " + IntToText(left.playerId) + " leaves table " + IntToText(left.tableId);
    return change;
}

LobbyChange CloseTableCommand(LiveLobby& live, std::int32_t tableId) {
    if (!FindTable(live, tableId)) return FailedChange("no such table");
    LobbyChange change;
    CloseTable(live, tableId, change);
    change.note = "table " + IntToText(tableId) + " closes";
    return change;
}

LobbyChange SetContact(LiveLobby& live, std::int32_t player, std::int32_t relation) {
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    if (player == live.ownPlayerId) return FailedChange("not a contact of oneself");
    if (relation > 2) return FailedChange("relation is 0, 1 or 2");
    LobbyChange change;
    if (ContactEntry* contact = FindContact(live, player)) {
        contact->relation = relation;
        change.messages.push_back(MessageText({"53", IntToText(contact->id), IntToText(relation)}));
    } else {
        if (live.contacts.size() >= kListLimit) return FailedChange("the list is full");
        live.contacts.push_back({live.nextContactId++, player, relation});
        change.messages.push_back(Record(MSG_CONTACTS, ContactRecord(live.contacts.back())));
    }
    change.note = "contact " + IntToText(player) + " relation " + IntToText(relation);
    return change;
}

LobbyChange RemoveContact(LiveLobby& live, std::int32_t player) {
    ContactEntry* contact = FindContact(live, player);
    if (!contact) return FailedChange("no such contact");
    std::int32_t id = contact->id;
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.id == id; });
    return MessageChange(MessageText({"54", IntToText(id)}),
                         "contact " + IntToText(player) + " removed");
}

LobbyChange RelayText(std::int32_t type, std::int32_t place, std::int32_t code,
                      std::string_view text) {
    return MessageChange(MessageText({IntToText(type), IntToText(place), IntToText(code), text}),
                         (type == MSG_ROOM_RELAY ? "text to room " : "text to table ") +
                             IntToText(place) + " code " + IntToText(code));
}

}  // namespace LiveEdits
