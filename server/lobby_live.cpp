// Changes of a connection's lobby and the messages that tell the client about them.
#include "server/lobby_live.h"

#include <algorithm>
#include <initializer_list>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

namespace {

// Players who join later get ids from here on, so they never meet the generated ones.
constexpr std::int32_t kFirstJoinedPlayerId = 3001;
// The demo accounts' players are below this; random changes leave them alone.
constexpr std::int32_t kFirstGeneratedPlayerId = 2001;
constexpr std::int32_t kJoinedRating = 1500;
// No list of a live lobby grows past this, whatever a test or a long demo asks for.
constexpr std::size_t kListLimit = 100000;

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

template <class List, class Match>
auto* Find(List& list, Match match) {
    auto it = std::find_if(list.begin(), list.end(), match);
    return it == list.end() ? nullptr : &*it;
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
                [&](const PresenceEntry& p) { return p.room_id == room && p.player_id == player; });
}
SeatEntry* FindSeat(LiveLobby& live, std::int32_t id) {
    return Find(live.lobby.seats, [&](const SeatEntry& s) { return s.id == id; });
}
ContactEntry* FindContact(LiveLobby& live, std::int32_t player) {
    return Find(live.contacts, [&](const ContactEntry& c) { return c.player_id == player; });
}

bool Plays(const TableEntry& table, std::int32_t player) {
    return table.values[5] == player || table.values[6] == player;
}

bool SeatedAt(const LiveLobby& live, std::int32_t table, std::int32_t player) {
    return std::any_of(live.lobby.seats.begin(), live.lobby.seats.end(), [&](const SeatEntry& s) {
        return s.table_id == table && s.player_id == player;
    });
}

bool PlaysInRoom(const LiveLobby& live, std::int32_t room, std::int32_t player) {
    return std::any_of(
        live.lobby.tables.begin(), live.lobby.tables.end(),
        [&](const TableEntry& t) { return t.values[1] == room && Plays(t, player); });
}

// Removes a table and its seats: type 73, after which the client forgets both.
void CloseTable(LiveLobby& live, std::int32_t table_id, LobbyChange& change) {
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.table_id == table_id; });
    std::erase_if(live.lobby.tables, [&](const TableEntry& t) { return t.values[0] == table_id; });
    change.messages.push_back(MessageText({"73", IntToText(table_id)}));
}

// The player's tables (in one room, or in every room when room is 0) close first: the
// client drops a player's seats but keeps the tables they played at.
void CloseTablesOf(LiveLobby& live, std::int32_t player, std::int32_t room, LobbyChange& change) {
    std::vector<std::int32_t> closing;
    for (const TableEntry& t : live.lobby.tables) {
        if (Plays(t, player) && (room == 0 || t.values[1] == room)) closing.push_back(t.values[0]);
    }
    for (std::int32_t id : closing)
        CloseTable(live, id, change);
}

// The second player leaves: the table waits for an opponent again (type 71).
void FreeSecondSeat(TableEntry& table, LobbyChange& change) {
    table.values[6] = 0;
    table.values[2] = 0;
    change.messages.push_back(Record(MSG_TABLES, TableRecord(table)));
}

LobbyChange AddPresence(LiveLobby& live, std::int32_t room, std::int32_t player) {
    if (FindPresence(live, room, player)) return FailedChange("already in that room");
    if (live.lobby.presences.size() >= kListLimit) return FailedChange("the lobby is full");
    PresenceEntry entry{live.next_presence_id++, room, player};
    live.lobby.presences.push_back(entry);
    LobbyChange change;
    change.messages.push_back(Record(MSG_ROOM_PRESENCES, PresenceRecord(entry)));
    change.note = "player " + IntToText(player) + " enters room " + IntToText(room);
    return change;
}

LobbyChange RemovePresence(LiveLobby& live, std::int32_t room, std::int32_t player) {
    PresenceEntry* presence = FindPresence(live, room, player);
    if (!presence) return FailedChange("not in that room");
    std::int32_t presence_id = presence->id;
    LobbyChange change;
    for (TableEntry& t : live.lobby.tables) {
        if (t.values[1] == room && t.values[6] == player) FreeSecondSeat(t, change);
    }
    CloseTablesOf(live, player, room, change);
    // The client drops the player's other seats in the room itself on type 38.
    std::erase_if(live.lobby.seats,
                  [&](const SeatEntry& s) { return s.room_id == room && s.player_id == player; });
    std::erase_if(live.lobby.presences,
                  [&](const PresenceEntry& p) { return p.id == presence_id; });
    change.messages.push_back(MessageText({"38", IntToText(presence_id)}));
    change.note = "player " + IntToText(player) + " leaves room " + IntToText(room);
    return change;
}

void Append(LobbyChange& into, LobbyChange&& more) {
    for (std::string& message : more.messages)
        into.messages.push_back(std::move(message));
}

// Puts the player into the room first when they are not there yet.
LobbyChange EnsurePresent(LiveLobby& live, std::int32_t room, std::int32_t player) {
    if (FindPresence(live, room, player)) return {};
    return AddPresence(live, room, player);
}

LobbyChange PlayerIn(LiveLobby& live, std::int32_t id, std::int32_t status, std::string_view name) {
    if (id <= 0) return FailedChange("player ids are positive");
    if (status > 4) return FailedChange("status is 0 to 4");
    if (!ValidName(name)) return FailedChange("a name is not empty and holds none of , ; : !");
    PlayerEntry* player = FindPlayer(live, id);
    if (!player) {
        if (live.lobby.players.size() >= kListLimit) return FailedChange("the lobby is full");
        live.lobby.players.push_back({id, std::string(name), kJoinedRating, status});
        player = &live.lobby.players.back();
        // Players who join at random later never take this id.
        live.next_player_id = std::max(live.next_player_id, id + 1);
    } else {
        player->name = name;
        player->status = status;
    }
    LobbyChange change;
    change.messages.push_back(Record(MSG_PLAYERS, PlayerRecord(*player)));
    change.note = "player " + IntToText(id) + " (" + std::string(name) + ") is online";
    return change;
}

LobbyChange PlayerOut(LiveLobby& live, std::int32_t id) {
    if (!FindPlayer(live, id)) return FailedChange("no such player");
    if (id == live.own_player_id) return FailedChange("the logged-in player stays");
    LobbyChange change;
    CloseTablesOf(live, id, 0, change);
    std::erase_if(live.lobby.presences, [&](const PresenceEntry& p) { return p.player_id == id; });
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.player_id == id; });
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.player_id == id; });
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
    if (status == 0) {
        // Status 0 clears the player's rooms and seats on the client, as a log-off does.
        CloseTablesOf(live, id, 0, change);
        std::erase_if(live.lobby.presences,
                      [&](const PresenceEntry& p) { return p.player_id == id; });
        std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.player_id == id; });
    }
    change.messages.push_back(MessageText({"17", IntToText(id), IntToText(status)}));
    change.note = "player " + IntToText(id) + " status " + IntToText(status);
    return change;
}

LobbyChange Enter(LiveLobby& live, std::int32_t room_id, std::int32_t player) {
    RoomEntry* room = FindRoom(live, room_id);
    if (!room) return FailedChange("no such room");
    if (room->state == kRoomLocked) return FailedChange("the room is locked");
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    return AddPresence(live, room_id, player);
}

LobbyChange SetRoomState(LiveLobby& live, std::int32_t room_id, std::int32_t state) {
    RoomEntry* room = FindRoom(live, room_id);
    if (!room) return FailedChange("no such room");
    room->state = state;
    LobbyChange change;
    change.messages.push_back(Record(MSG_ROOMS, RoomRecord(*room)));
    change.note = "room " + IntToText(room_id) + " state " + IntToText(state);
    return change;
}

LobbyChange AddRoom(LiveLobby& live, std::int32_t id, std::int32_t kind, std::int32_t state,
                    std::string_view name) {
    if (id <= 0) return FailedChange("room ids are positive");
    if (!ValidName(name)) return FailedChange("a name is not empty and holds none of , ; : !");
    RoomEntry* room = FindRoom(live, id);
    if (!room) {
        if (live.lobby.rooms.size() >= kListLimit) return FailedChange("the lobby is full");
        live.lobby.rooms.push_back({id, std::string(name), kind, state});
        room = &live.lobby.rooms.back();
    } else {
        *room = {id, std::string(name), kind, state};
    }
    LobbyChange change;
    change.messages.push_back(Record(MSG_ROOMS, RoomRecord(*room)));
    change.note = "room " + IntToText(id) + " (" + std::string(name) + ") listed";
    return change;
}

LobbyChange RemoveRoom(LiveLobby& live, std::int32_t id) {
    if (!FindRoom(live, id)) return FailedChange("no such room");
    auto in_room = [&](const auto& entry) { return entry.room_id == id; };
    std::erase_if(live.lobby.presences, in_room);
    std::erase_if(live.lobby.seats, in_room);
    std::erase_if(live.lobby.tables, [&](const TableEntry& t) { return t.values[1] == id; });
    std::erase_if(live.lobby.rooms, [&](const RoomEntry& r) { return r.id == id; });
    LobbyChange change;
    change.messages.push_back(MessageText({"33", IntToText(id)}));
    change.note = "room " + IntToText(id) + " removed";
    return change;
}

std::int32_t StakeFor(std::int32_t money_kind) {
    return money_kind == 1 ? 5 : money_kind == 2 ? 500 : 0;
}

SeatEntry AddSeat(LiveLobby& live, std::int32_t room, std::int32_t table, std::int32_t player) {
    SeatEntry seat{live.next_seat_id++, room, table, player};
    live.lobby.seats.push_back(seat);
    return seat;
}

LobbyChange OpenTable(LiveLobby& live, std::int32_t room_id, std::int32_t player,
                      std::int32_t opponent, std::int32_t mark) {
    RoomEntry* room = FindRoom(live, room_id);
    if (!room) return FailedChange("no such room");
    if (!FindPlayer(live, player) || (opponent != 0 && !FindPlayer(live, opponent)))
        return FailedChange("no such player");
    if (player == opponent) return FailedChange("nobody plays against themselves");
    if (PlaysInRoom(live, room_id, player) ||
        (opponent != 0 && PlaysInRoom(live, room_id, opponent)))
        return FailedChange("already playing in that room");
    if (live.lobby.tables.size() >= kListLimit || live.lobby.seats.size() + 2 > kListLimit)
        return FailedChange("the lobby is full");
    bool locked = room->state == kRoomLocked;
    if (locked && (!FindPresence(live, room_id, player) ||
                   (opponent != 0 && !FindPresence(live, room_id, opponent))))
        return FailedChange("the room is locked");
    std::int32_t money_kind = room->money_kind;

    LobbyChange change;
    Append(change, EnsurePresent(live, room_id, player));
    if (opponent != 0) Append(change, EnsurePresent(live, room_id, opponent));
    TableEntry table{};
    table.values[0] = live.next_table_id++;
    table.values[1] = room_id;
    table.values[2] = opponent != 0 ? 1 : 0;
    table.values[3] = 5;
    table.values[4] = StakeFor(money_kind);
    table.values[5] = player;
    table.values[6] = opponent;
    table.values[7] = 30;
    table.opening_mark = mark;
    change.messages.push_back(Record(MSG_TABLES, TableRecord(table)));
    // The mark asks the client once to open the table; later lists do not repeat it.
    table.opening_mark = 0;
    live.lobby.tables.push_back(table);
    std::string seats = SeatRecord(AddSeat(live, room_id, table.values[0], player)) + ";";
    if (opponent != 0) seats += SeatRecord(AddSeat(live, room_id, table.values[0], opponent)) + ";";
    change.messages.push_back("72," + seats + ",!");
    change.note = "table " + IntToText(table.values[0]) + " opens in room " + IntToText(room_id);
    return change;
}

LobbyChange JoinTable(LiveLobby& live, std::int32_t table_id, std::int32_t player) {
    TableEntry* table = FindTable(live, table_id);
    if (!table) return FailedChange("no such table");
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    if (SeatedAt(live, table_id, player)) return FailedChange("already at that table");
    if (live.lobby.seats.size() >= kListLimit) return FailedChange("the lobby is full");
    std::int32_t room_id = table->values[1];
    RoomEntry* room = FindRoom(live, room_id);
    if (!FindPresence(live, room_id, player) && (!room || room->state == kRoomLocked))
        return FailedChange("the room is locked or gone");

    LobbyChange change;
    Append(change, EnsurePresent(live, room_id, player));
    table = FindTable(live, table_id);
    bool plays =
        table->values[6] == 0 && table->values[5] != player && !PlaysInRoom(live, room_id, player);
    if (plays) {
        table->values[6] = player;
        table->values[2] = 1;
        change.messages.push_back(Record(MSG_TABLES, TableRecord(*table)));
    }
    change.messages.push_back(
        Record(MSG_SEATS, SeatRecord(AddSeat(live, room_id, table_id, player))));
    change.note = "player " + IntToText(player) + (plays ? " plays at table " : " watches table ") +
                  IntToText(table_id);
    return change;
}

LobbyChange LeaveSeat(LiveLobby& live, std::int32_t seat_id) {
    SeatEntry* seat = FindSeat(live, seat_id);
    if (!seat) return FailedChange("no such seat");
    SeatEntry left = *seat;
    LobbyChange change;
    TableEntry* table = FindTable(live, left.table_id);
    if (table && table->values[5] == left.player_id) {
        CloseTable(live, left.table_id, change);
        change.note = "table " + IntToText(left.table_id) + " closes";
        return change;
    }
    std::erase_if(live.lobby.seats, [&](const SeatEntry& s) { return s.id == seat_id; });
    change.messages.push_back(MessageText({"112", IntToText(seat_id)}));
    if (table && table->values[6] == left.player_id) FreeSecondSeat(*table, change);
    change.note =
        "player " + IntToText(left.player_id) + " leaves table " + IntToText(left.table_id);
    return change;
}

LobbyChange CloseTableCommand(LiveLobby& live, std::int32_t table_id) {
    if (!FindTable(live, table_id)) return FailedChange("no such table");
    LobbyChange change;
    CloseTable(live, table_id, change);
    change.note = "table " + IntToText(table_id) + " closes";
    return change;
}

LobbyChange SetContact(LiveLobby& live, std::int32_t player, std::int32_t relation) {
    if (!FindPlayer(live, player)) return FailedChange("no such player");
    if (player == live.own_player_id) return FailedChange("not a contact of oneself");
    if (relation > 2) return FailedChange("relation is 0, 1 or 2");
    LobbyChange change;
    if (ContactEntry* contact = FindContact(live, player)) {
        contact->relation = relation;
        change.messages.push_back(MessageText({"53", IntToText(contact->id), IntToText(relation)}));
    } else {
        if (live.contacts.size() >= kListLimit) return FailedChange("the list is full");
        live.contacts.push_back({live.next_contact_id++, player, relation});
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
    LobbyChange change;
    change.messages.push_back(MessageText({"54", IntToText(id)}));
    change.note = "contact " + IntToText(player) + " removed";
    return change;
}

LobbyChange RelayText(std::int32_t type, std::int32_t place, std::int32_t code,
                      std::string_view text) {
    LobbyChange change;
    change.messages.push_back(
        MessageText({IntToText(type), IntToText(place), IntToText(code), text}));
    change.note = (type == MSG_ROOM_RELAY ? "text to room " : "text to table ") + IntToText(place) +
                  " code " + IntToText(code);
    return change;
}

// --- Random changes ---

std::uint32_t NextRandom(LiveLobby& live) {
    std::uint32_t& s = live.random_state;
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return s;
}

std::size_t Below(LiveLobby& live, std::size_t n) {
    return n == 0 ? 0 : NextRandom(live) % n;
}

template <class T>
const T* Pick(LiveLobby& live, const std::vector<T>& candidates) {
    return candidates.empty() ? nullptr : &candidates[Below(live, candidates.size())];
}

// Who random changes may move: the generated and joined players, never the accounts'.
bool Movable(std::int32_t player) {
    return player >= kFirstGeneratedPlayerId;
}

const char* const kJoinerStems[] = {"Gast", "Gość", "Ospite", "Guest", "Würfler", "Żak"};
const char* const kChatLines[] = {
    "gg",
    "Hallo zusammen!",
    "Ciao a tutti",
    "Cześć, kto gra?",
    "anyone for a 5 pointer?",
    "Schöner Wurf",
    "wp",
    "Buona fortuna",
};

LobbyChange RandomStatus(LiveLobby& live) {
    std::vector<std::int32_t> ids;
    for (const PlayerEntry& p : live.lobby.players)
        if (Movable(p.id)) ids.push_back(p.id);
    const std::int32_t* id = Pick(live, ids);
    if (!id) return FailedChange("nobody to change");
    return SetStatus(live, *id, static_cast<std::int32_t>(1 + Below(live, 4)));
}

// A status from 1 to 4 other than `now`.
std::int32_t OtherStatus(LiveLobby& live, std::int32_t now) {
    std::int32_t status = static_cast<std::int32_t>(1 + Below(live, 3));
    return status >= now ? status + 1 : status;
}

// A contact of the logged-in player (its presence icon and, going online, the sound).
LobbyChange RandomContactStatus(LiveLobby& live) {
    std::vector<const PlayerEntry*> players;
    for (const ContactEntry& contact : live.contacts) {
        const PlayerEntry* player = FindPlayer(live, contact.player_id);
        if (player && Movable(player->id)) players.push_back(player);
    }
    if (players.empty()) return FailedChange("no contact to change");
    const PlayerEntry& player = **Pick(live, players);
    return SetStatus(live, player.id, OtherStatus(live, player.status));
}

std::vector<std::int32_t> OpenRooms(const LiveLobby& live) {
    std::vector<std::int32_t> rooms;
    for (const RoomEntry& r : live.lobby.rooms)
        if (r.state != kRoomLocked) rooms.push_back(r.id);
    return rooms;
}

LobbyChange RandomJoin(LiveLobby& live) {
    std::int32_t id = live.next_player_id++;
    std::string name = kJoinerStems[Below(live, std::size(kJoinerStems))] + IntToText(id);
    LobbyChange change = PlayerIn(live, id, static_cast<std::int32_t>(2 + Below(live, 3)), name);
    std::vector<std::int32_t> rooms = OpenRooms(live);
    if (change.error.empty() && !rooms.empty()) {
        std::string note = change.note;
        Append(change, AddPresence(live, *Pick(live, rooms), id));
        change.note = note + " and enters a room";
    }
    return change;
}

LobbyChange RandomLeave(LiveLobby& live) {
    std::vector<std::int32_t> ids;
    for (const PlayerEntry& p : live.lobby.players)
        if (Movable(p.id) && !FindContact(live, p.id)) ids.push_back(p.id);
    const std::int32_t* id = Pick(live, ids);
    return id ? PlayerOut(live, *id) : FailedChange("nobody to log off");
}

LobbyChange RandomEnter(LiveLobby& live) {
    std::vector<std::int32_t> rooms = OpenRooms(live);
    const std::int32_t* room = Pick(live, rooms);
    if (!room) return FailedChange("no open room");
    std::vector<std::int32_t> ids;
    for (const PlayerEntry& p : live.lobby.players)
        if (Movable(p.id) && p.status != 1 && !FindPresence(live, *room, p.id)) ids.push_back(p.id);
    const std::int32_t* id = Pick(live, ids);
    return id ? AddPresence(live, *room, *id) : FailedChange("nobody to enter");
}

std::vector<PresenceEntry> MovablePresences(const LiveLobby& live) {
    std::vector<PresenceEntry> presences;
    for (const PresenceEntry& p : live.lobby.presences)
        if (Movable(p.player_id)) presences.push_back(p);
    return presences;
}

LobbyChange RandomLeaveRoom(LiveLobby& live) {
    std::vector<PresenceEntry> presences = MovablePresences(live);
    const PresenceEntry* p = Pick(live, presences);
    return p ? RemovePresence(live, p->room_id, p->player_id) : FailedChange("nobody in a room");
}

// Players present in the room who neither play nor watch there.
std::vector<std::int32_t> IdleIn(const LiveLobby& live, std::int32_t room) {
    std::vector<std::int32_t> ids;
    for (const PresenceEntry& p : live.lobby.presences) {
        if (p.room_id != room || !Movable(p.player_id)) continue;
        bool seated = std::any_of(
            live.lobby.seats.begin(), live.lobby.seats.end(),
            [&](const SeatEntry& s) { return s.room_id == room && s.player_id == p.player_id; });
        if (!seated) ids.push_back(p.player_id);
    }
    return ids;
}

LobbyChange RandomOpenTable(LiveLobby& live) {
    std::vector<std::int32_t> rooms = OpenRooms(live);
    const std::int32_t* room = Pick(live, rooms);
    if (!room) return FailedChange("no open room");
    std::vector<std::int32_t> idle = IdleIn(live, *room);
    if (idle.empty()) return FailedChange("nobody free to open a table");
    std::size_t first = Below(live, idle.size());
    std::int32_t opponent = 0;
    if (idle.size() > 1 && Below(live, 2) == 0) opponent = idle[(first + 1) % idle.size()];
    return OpenTable(live, *room, idle[first], opponent, 0);
}

LobbyChange RandomTakeSeat(LiveLobby& live) {
    const TableEntry* table = Pick(live, live.lobby.tables);
    if (!table) return FailedChange("no table");
    std::int32_t id = table->values[0];
    std::vector<std::int32_t> idle = IdleIn(live, table->values[1]);
    const std::int32_t* player = Pick(live, idle);
    return player ? JoinTable(live, id, *player) : FailedChange("nobody free to sit down");
}

LobbyChange RandomLeaveSeat(LiveLobby& live) {
    std::vector<std::int32_t> seats;
    for (const SeatEntry& s : live.lobby.seats)
        if (Movable(s.player_id)) seats.push_back(s.id);
    const std::int32_t* seat = Pick(live, seats);
    return seat ? LeaveSeat(live, *seat) : FailedChange("no seat");
}

LobbyChange RandomCloseTable(LiveLobby& live) {
    const TableEntry* table = Pick(live, live.lobby.tables);
    return table ? CloseTableCommand(live, table->values[0]) : FailedChange("no table");
}

LobbyChange RandomRoomState(LiveLobby& live) {
    // Never a room the logged-in player is in: their window stays usable.
    std::vector<std::int32_t> rooms;
    for (const RoomEntry& r : live.lobby.rooms)
        if (!FindPresence(live, r.id, live.own_player_id)) rooms.push_back(r.id);
    const std::int32_t* room = Pick(live, rooms);
    if (!room) return FailedChange("no room to change");
    std::int32_t state = FindRoom(live, *room)->state == kRoomLocked ? kRoomOpen : kRoomLocked;
    return SetRoomState(live, *room, state);
}

LobbyChange RandomContact(LiveLobby& live) {
    const ContactEntry* contact = Pick(live, live.contacts);
    if (!contact) return FailedChange("no contact");
    std::int32_t relation = static_cast<std::int32_t>((contact->relation + 1 + Below(live, 2)) % 3);
    return SetContact(live, contact->player_id, relation);
}

std::string RandomChatText(LiveLobby& live) {
    return Base64Encode(kChatLines[Below(live, std::size(kChatLines))]);
}

LobbyChange RandomRoomChat(LiveLobby& live) {
    std::vector<PresenceEntry> presences = MovablePresences(live);
    const PresenceEntry* p = Pick(live, presences);
    if (!p) return FailedChange("nobody to chat");
    return RelayText(MSG_ROOM_RELAY, p->room_id, kRoomChatCode,
                     IntToText(p->player_id) + ":" + RandomChatText(live));
}

LobbyChange RandomTableText(LiveLobby& live, bool dice) {
    std::vector<const TableEntry*> playing;
    for (const TableEntry& t : live.lobby.tables)
        if (t.values[6] != 0) playing.push_back(&t);
    if (playing.empty()) return FailedChange("no game");
    const TableEntry& table = **Pick(live, playing);
    std::int32_t player = table.values[5 + Below(live, 2)];
    if (!dice) {
        return RelayText(MSG_TABLE_RELAY, table.values[0], kTableChatCode,
                         IntToText(player) + ":" + RandomChatText(live));
    }
    std::int32_t first = static_cast<std::int32_t>(1 + Below(live, 6));
    std::int32_t second = static_cast<std::int32_t>(1 + Below(live, 6));
    return RelayText(MSG_TABLE_RELAY, table.values[0], kDiceCode,
                     IntToText(player) + ":" + IntToText(first) + ":" + IntToText(second));
}

struct RandomKind {
    int weight;
    LobbyChange (*change)(LiveLobby&);
};

const RandomKind kRandomKinds[] = {
    {4, RandomStatus},
    {2, RandomJoin},
    {2, RandomLeave},
    {3, RandomEnter},
    {3, RandomLeaveRoom},
    {2, RandomOpenTable},
    {3, RandomTakeSeat},
    {2, RandomLeaveSeat},
    {1, RandomCloseTable},
    {1, RandomRoomState},
    {1, RandomContact},
    {2, RandomContactStatus},
    {2, RandomRoomChat},
    {1, [](LiveLobby& live) { return RandomTableText(live, false); }},
    {1, [](LiveLobby& live) { return RandomTableText(live, true); }},
};

}  // namespace

std::string MessageText(std::initializer_list<std::string_view> fields) {
    std::string text;
    for (std::string_view field : fields) {
        text += field;
        text += ',';
    }
    return text + "!";
}

LobbyChange FailedChange(std::string error) {
    LobbyChange change;
    change.error = std::move(error);
    return change;
}

LiveLobby StartLiveLobby(const Lobby& lobby, std::int32_t own_player_id) {
    LiveLobby live;
    live.lobby = lobby;
    live.contacts = ContactsOf(lobby, own_player_id);
    live.own_player_id = own_player_id;
    live.next_player_id = kFirstJoinedPlayerId;
    live.next_presence_id = live.next_table_id = live.next_seat_id = live.next_contact_id = 1;
    for (const PlayerEntry& p : lobby.players)
        live.next_player_id = std::max(live.next_player_id, p.id + 1);
    for (const PresenceEntry& p : lobby.presences)
        live.next_presence_id = std::max(live.next_presence_id, p.id + 1);
    for (const TableEntry& t : lobby.tables)
        live.next_table_id = std::max(live.next_table_id, t.values[0] + 1);
    for (const SeatEntry& s : lobby.seats)
        live.next_seat_id = std::max(live.next_seat_id, s.id + 1);
    for (const ContactEntry& c : live.contacts)
        live.next_contact_id = std::max(live.next_contact_id, c.id + 1);
    live.next_join_id = 1;
    live.random_state = 0x3C6EF372u ^ static_cast<std::uint32_t>(own_player_id);
    return live;
}

std::vector<std::string> CurrentLobbyMessages(const LiveLobby& live) {
    return LobbyMessages(live.lobby, live.contacts);
}

LobbyChange ApplyLobbyCommand(LiveLobby& live, const LobbyCommand& command) {
    auto n = [&](std::size_t i) -> std::int32_t {
        return i < command.numbers.size() ? static_cast<std::int32_t>(command.numbers[i]) : 0;
    };
    switch (command.verb) {
        case LobbyVerb::Random: {
            LobbyChange all;
            std::int32_t count = command.numbers.empty() ? 1 : n(0);
            for (std::int32_t i = 0; i < count; ++i) {
                LobbyChange one = RandomLobbyChange(live);
                if (!all.note.empty()) all.note += "; ";
                all.note += one.error.empty() ? one.note : one.error;
                Append(all, std::move(one));
            }
            return all;
        }
        case LobbyVerb::Every:
            return FailedChange("handled by the session");
        case LobbyVerb::PlayerIn:
            return PlayerIn(live, n(0), n(1), command.text);
        case LobbyVerb::PlayerOut:
            return PlayerOut(live, n(0));
        case LobbyVerb::Status:
            return SetStatus(live, n(0), n(1));
        case LobbyVerb::Enter:
            return Enter(live, n(0), n(1));
        case LobbyVerb::Leave:
            return RemovePresence(live, n(0), n(1));
        case LobbyVerb::RoomState:
            return SetRoomState(live, n(0), n(1));
        case LobbyVerb::RoomAdd:
            return AddRoom(live, n(0), n(1), n(2), command.text);
        case LobbyVerb::RoomRemove:
            return RemoveRoom(live, n(0));
        case LobbyVerb::TableOpen:
            return OpenTable(live, n(0), n(1), n(2), n(3));
        case LobbyVerb::TableJoin:
            return JoinTable(live, n(0), n(1));
        case LobbyVerb::SeatLeave:
            return LeaveSeat(live, n(0));
        case LobbyVerb::TableClose:
            return CloseTableCommand(live, n(0));
        case LobbyVerb::Contact:
            return SetContact(live, n(0), n(1));
        case LobbyVerb::ContactRemove:
            return RemoveContact(live, n(0));
        case LobbyVerb::RoomText:
            return RelayText(MSG_ROOM_RELAY, n(0), n(1), command.text);
        case LobbyVerb::TableText:
            return RelayText(MSG_TABLE_RELAY, n(0), n(1), command.text);
        case LobbyVerb::JoinRequest:
            return AskToJoin(live, n(0), n(1), n(2));
        case LobbyVerb::JoinCount:
            return JoinAnswerCount(live, n(0), n(1));
        case LobbyVerb::JoinResult:
            return JoinResult(live, n(0), n(1));
        case LobbyVerb::Private:
            return PrivateMessageFrom(live, n(0), command.text);
        case LobbyVerb::Ignores:
            return SetIgnoring(live, n(0), n(1) != 0);
    }
    return FailedChange("unknown lobby command");
}

LobbyChange RandomLobbyChange(LiveLobby& live) {
    int total = 0;
    for (const RandomKind& kind : kRandomKinds)
        total += kind.weight;
    int roll = static_cast<int>(Below(live, static_cast<std::size_t>(total)));
    for (const RandomKind& kind : kRandomKinds) {
        if (roll < kind.weight) {
            LobbyChange change = kind.change(live);
            // A kind without candidates (no table yet, nobody free) gives way to a status.
            return change.error.empty() ? change : RandomStatus(live);
        }
        roll -= kind.weight;
    }
    return RandomStatus(live);
}

LobbyChange StormPresenceChange(LiveLobby& live) {
    live.storm_turn = !live.storm_turn;
    if (live.storm_turn) {
        LobbyChange change = RandomContactStatus(live);
        if (change.error.empty()) return change;
    }
    std::vector<const PlayerEntry*> movable;
    for (const PlayerEntry& p : live.lobby.players)
        if (Movable(p.id)) movable.push_back(&p);
    if (movable.empty()) return FailedChange("nobody to change");
    const PlayerEntry& player = **Pick(live, movable);
    return SetStatus(live, player.id, OtherStatus(live, player.status));
}

LobbyChange ChatLine(LiveLobby& live, std::int32_t type, std::int32_t place_id,
                     std::string_view base64_text) {
    if (!IsBase64(base64_text)) return FailedChange("the chat line is not Base64");
    std::string text = IntToText(live.own_player_id) + ":" + std::string(base64_text);
    if (type == kClientRoomChat) {
        if (!FindPresence(live, place_id, live.own_player_id))
            return FailedChange("not in that room");
        return RelayText(MSG_ROOM_RELAY, place_id, kRoomChatCode, text);
    }
    if (!FindTable(live, place_id)) return FailedChange("no such table");
    return RelayText(MSG_TABLE_RELAY, place_id, kTableChatCode, text);
}

LobbyChange OwnPlayerEnters(LiveLobby& live, std::int32_t room_id) {
    if (!FindRoom(live, room_id)) return FailedChange("no such room");
    return AddPresence(live, room_id, live.own_player_id);
}

LobbyChange OwnPlayerLeaves(LiveLobby& live, std::int32_t room_id) {
    return RemovePresence(live, room_id, live.own_player_id);
}

LobbyChange ClientAddsContact(LiveLobby& live, std::string_view name_utf8) {
    const PlayerEntry* player = nullptr;
    for (const PlayerEntry& entry : live.lobby.players)
        if (entry.name == name_utf8 && entry.id != live.own_player_id) player = &entry;
    LobbyChange change;
    if (player == nullptr) {
        change.messages.push_back(MessageText({"52", "1"}));
        change.note = "add contact: no such nickname";
        return change;
    }
    if (FindContact(live, player->id)) {
        change.messages.push_back(MessageText({"52", "2"}));
        change.note = "add contact " + IntToText(player->id) + ": already listed";
        return change;
    }
    return SetContact(live, player->id, 1);
}

LobbyChange ClientSetsRelation(LiveLobby& live, std::int32_t contact_id, std::int32_t relation) {
    if (relation < 0 || relation > 2) return FailedChange("relation is 0, 1 or 2");
    ContactEntry* contact =
        Find(live.contacts, [&](const ContactEntry& c) { return c.id == contact_id; });
    if (contact) contact->relation = relation;
    LobbyChange change;
    change.messages.push_back(MessageText({"53", IntToText(contact_id), IntToText(relation)}));
    change.note = "contact " + IntToText(contact_id) + " relation " + IntToText(relation);
    return change;
}

LobbyChange ClientRemovesContact(LiveLobby& live, std::int32_t contact_id) {
    std::erase_if(live.contacts, [&](const ContactEntry& c) { return c.id == contact_id; });
    LobbyChange change;
    change.messages.push_back(MessageText({"54", IntToText(contact_id)}));
    change.note = "contact " + IntToText(contact_id) + " removed";
    return change;
}

LobbyChange ClientSetsPresence(LiveLobby& live, std::int32_t status) {
    if (status < 1 || status > 4) return FailedChange("presence is 1 to 4");
    if (!FindPlayer(live, live.own_player_id)) {
        LobbyChange change;
        change.messages.push_back(
            MessageText({"17", IntToText(live.own_player_id), IntToText(status)}));
        change.note = "own presence " + IntToText(status);
        return change;
    }
    return SetStatus(live, live.own_player_id, status);
}
