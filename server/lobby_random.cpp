// Random changes of a connection's lobby: the demo's moving lobby and the presence storm.
#include "server/lobby_live.h"

#include <algorithm>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_edits.h"
#include "server/lobby_messages.h"
#include "server/lobby_requests.h"

using namespace LiveEdits;

namespace {

std::uint32_t NextRandom(LiveLobby& live) {
    std::uint32_t& s = live.randomState;
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
        const PlayerEntry* player = FindPlayer(live, contact.playerId);
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
    std::int32_t id = live.nextPlayerId++;
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
        if (Movable(p.playerId)) presences.push_back(p);
    return presences;
}

LobbyChange RandomLeaveRoom(LiveLobby& live) {
    std::vector<PresenceEntry> presences = MovablePresences(live);
    const PresenceEntry* p = Pick(live, presences);
    return p ? RemovePresence(live, p->roomId, p->playerId) : FailedChange("nobody in a room");
}

// Players present in the room who neither play nor watch there.
std::vector<std::int32_t> IdleIn(const LiveLobby& live, std::int32_t room) {
    std::vector<std::int32_t> ids;
    for (const PresenceEntry& p : live.lobby.presences) {
        if (p.roomId != room || !Movable(p.playerId)) continue;
        bool seated = std::any_of(
            live.lobby.seats.begin(), live.lobby.seats.end(),
            [&](const SeatEntry& s) { return s.roomId == room && s.playerId == p.playerId; });
        if (!seated) ids.push_back(p.playerId);
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
        if (Movable(s.playerId)) seats.push_back(s.id);
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
        if (!FindPresence(live, r.id, live.ownPlayerId)) rooms.push_back(r.id);
    const std::int32_t* room = Pick(live, rooms);
    if (!room) return FailedChange("no room to change");
    std::int32_t state = FindRoom(live, *room)->state == kRoomLocked ? kRoomOpen : kRoomLocked;
    return SetRoomState(live, *room, state);
}

LobbyChange RandomContact(LiveLobby& live) {
    const ContactEntry* contact = Pick(live, live.contacts);
    if (!contact) return FailedChange("no contact");
    std::int32_t relation = static_cast<std::int32_t>((contact->relation + 1 + Below(live, 2)) % 3);
    return SetContact(live, contact->playerId, relation);
}

std::string RandomChatText(LiveLobby& live) {
    return Base64Encode(kChatLines[Below(live, std::size(kChatLines))]);
}

LobbyChange RandomRoomChat(LiveLobby& live) {
    std::vector<PresenceEntry> presences = MovablePresences(live);
    const PresenceEntry* p = Pick(live, presences);
    if (!p) return FailedChange("nobody to chat");
    return RelayText(MSG_ROOM_RELAY, p->roomId, kRoomChatCode,
                     IntToText(p->playerId) + ":" + RandomChatText(live));
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
    live.stormTurn = !live.stormTurn;
    if (live.stormTurn) {
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

LobbyChange ChatLine(LiveLobby& live, std::int32_t type, std::int32_t placeId,
                     std::string_view base64Text) {
    if (!IsBase64(base64Text)) return FailedChange("the chat line is not Base64");
    std::string text = IntToText(live.ownPlayerId) + ":" + std::string(base64Text);
    if (type == kClientRoomChat) {
        if (!FindPresence(live, placeId, live.ownPlayerId)) return FailedChange("not in that room");
        return RelayText(MSG_ROOM_RELAY, placeId, kRoomChatCode, text);
    }
    if (!FindTable(live, placeId)) return FailedChange("no such table");
    return RelayText(MSG_TABLE_RELAY, placeId, kTableChatCode, text);
}
