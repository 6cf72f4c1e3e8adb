// The lobby's message handlers: players, rooms, presences, tables, seats and contact
// relations kept from the server's messages, and relayed to the sibling windows concerned.
// Join requests and private conversations start their sibling programs.
#include "lobby/lobby_handlers.h"

#include <algorithm>

#include "lobby/contact_online.h"
#include "lobby/conversations.h"
#include "lobby/lobby_port.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "net/notification_codes.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

namespace {

std::int32_t NumberField(const FieldList& fields, std::size_t index) {
    return TextToInt(FieldAt(fields, index));
}

std::uintptr_t RelayCodeField(const FieldList& fields, std::size_t index) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(NumberField(fields, index)));
}

// Join requests for which `test` holds are forgotten; the open ones' windows are told to
// close (code 1). Walked from the end.
template <class Test>
void DropJoinRequests(Test test) {
    for (WindowRef window : RemoveJoinRequestsWhere(test))
        SendCodeToSibling(window, NC_HUB_CLOSING, 0);
}

// The player's presences go, each taking one user from its room. Returns how many went;
// `usersChanged` tells whether a room's count changed.
std::size_t DropPresencesOfPlayer(std::int32_t playerId, bool& usersChanged) {
    usersChanged = false;
    return RemovePresencesWhere([&](const RoomPresenceRecord& presence) {
        if (presence.playerId != playerId) return false;
        const std::size_t room = FirstRoom(presence.roomId);
        if (room != kNotFound) {
            --rooms[room].users;
            usersChanged = true;
        }
        return true;
    });
}

// What type 22 and type 17 with status 0 take away from a player besides the record.
std::size_t DropPlayerPlaces(std::int32_t playerId, bool& usersChanged) {
    const std::size_t presencesGone = DropPresencesOfPlayer(playerId, usersChanged);
    RemoveSeatsWhere([&](const SeatRecord& seat) { return seat.playerId == playerId; });
    DropJoinRequests([&](const JoinRecord& join) {
        return join.playerA == playerId || join.playerB == playerId;
    });
    return presencesGone;
}

bool IsContact(std::int32_t playerId) {
    return std::any_of(contactRelations.begin(), contactRelations.end(),
                       [&](const ContactRecord& contact) { return contact.playerId == playerId; });
}

std::string Pair(std::int32_t first, char separator, std::int32_t second) {
    std::string text = IntToText(first);
    text += separator;
    text += IntToText(second);
    return text;
}

}  // namespace

void OnPresenceChange(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t playerId = NumberField(fields, 2);
    const std::int32_t status = NumberField(fields, 3);
    const bool contactOnline = ContactComesOnline(playerId, status);
    if (playerId == OwnPlayerId) {
        SetOwnPresence(status);
        LobbyShowOwnPresence();
    }
    const std::size_t at = FirstPlayer(playerId);
    if (at != kNotFound) players[at].status = status;
    std::size_t presencesGone = 0;
    if (status == 0) {
        bool usersChanged = false;
        presencesGone = DropPlayerPlaces(playerId, usersChanged);
    }
    LobbyRepaintMain();
    if (IsContact(playerId)) LobbyRefreshContacts();
    if (contactOnline) LobbyContactCameOnline();
    if (presencesGone > 0) RefreshRoomUsers();
    BroadcastToChildWindows(RELAY_PRESENCE, Pair(playerId, ',', status));
}

void OnPlayers(const FieldList& fields) {
    SiblingBatch batch;
    const std::vector<WindowRef> windows = OpenChildWindows();
    bool existingChanged = false;
    std::string relayed;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        const auto items = RecordItems<4>(record);
        PlayerRecord player;
        player.id = TextToInt(items[0]);
        player.name = WideFromUtf8(items[1]);
        player.value = TextToInt(items[2]);
        player.status = TextToInt(items[3]);
        if (player.id == OwnPlayerId) {
            SetOwnDisplayName(player.name);
            LobbyShowOwnName();
        }
        const std::size_t at = FirstPlayer(player.id);
        if (at != kNotFound) {
            players[at] = std::move(player);
            existingChanged = true;
        } else {
            AddPlayer(std::move(player));
        }
        if (windows.empty()) return;
        relayed.assign(record);
        relayed += ';';
        SendToWindows(windows, RELAY_PLAYERS, relayed);
    });
    LobbyRepaintMain();
    if (existingChanged) {
        RefreshRoomUsers();
        RefreshTournamentList();
        LobbyRefreshContacts();
    }
}

void OnPlayerGone(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t playerId = NumberField(fields, 2);
    const std::size_t at = FirstPlayer(playerId);
    if (at != kNotFound) RemovePlayerAt(at);
    const auto contact =
        std::find_if(contactRelations.begin(), contactRelations.end(),
                     [&](const ContactRecord& relation) { return relation.playerId == playerId; });
    const bool contactRemoved = contact != contactRelations.end();
    if (contactRemoved)
        RemoveContactAt(static_cast<std::size_t>(contact - contactRelations.begin()));
    bool usersChanged = false;
    DropPlayerPlaces(playerId, usersChanged);
    RemoveTablesWhere([&](const TableRecord& table) {
        return table.values[5] == playerId || table.values[6] == playerId;
    });
    LobbyRepaintMain();
    if (contactRemoved) LobbyRefreshContacts();
    if (usersChanged) RefreshRoomUsers();
    BroadcastToChildWindows(RELAY_PLAYER_GONE, IntToText(playerId));
}

void OnRooms(const FieldList& fields) {
    SiblingBatch batch;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        const auto items = RecordItems<4>(record);
        const std::int32_t id = TextToInt(items[0]);
        const std::size_t at = FirstRoom(id);
        if (at == kNotFound) {
            RoomRecord room;
            room.id = id;
            room.name = WideFromUtf8(items[1]);
            room.moneyKind = TextToInt(items[2]);
            room.state = TextToInt(items[3]);
            room.listed = true;
            AddRoom(std::move(room));
            return;
        }
        RoomRecord& room = rooms[at];
        room.name = WideFromUtf8(items[1]);
        room.moneyKind = TextToInt(items[2]);
        room.state = TextToInt(items[3]);
        room.listed = true;
        if (room.state == kRoomLocked && SelectedRoomId == id) ClearRoomSelection();
        std::string relayed(items[1]);
        relayed += ',';
        relayed += items[3];
        SendToRoomWindow(id, RELAY_ROOM_CHANGED, relayed);
    });
    if (FirstRoomListPending) {
        SetFirstRoomListPending(false);
        RemoveRoomsWhere([](const RoomRecord& room) { return !room.listed; });
    }
    RefreshRoomList();
}

void OnRoomPresences(const FieldList& fields) {
    SiblingBatch batch;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        const auto items = RecordItems<3>(record);
        RoomPresenceRecord presence;
        presence.presenceId = TextToInt(items[0]);
        presence.roomId = TextToInt(items[1]);
        presence.playerId = TextToInt(items[2]);
        if (FirstPresence(presence.presenceId) != kNotFound) return;
        AddPresence(presence);
        const std::size_t room = FirstRoom(presence.roomId);
        if (room == kNotFound) return;
        ++rooms[room].users;
        if (!rooms[room].windowOpen) return;
        SendRelayBytes(rooms[room].window, RELAY_ROOM_PRESENCES,
                       RelayBytes(PresenceRecordText(presence)));
    });
    RefreshRoomUsers();
}

void OnRoomRemoved(const FieldList& fields) {
    const std::int32_t id = NumberField(fields, 2);
    const std::size_t at = FirstRoom(id);
    if (at != kNotFound) {
        RemoveRoomAt(at);
        if (SelectedRoomId == id) ClearRoomSelection();
    }
    RemovePresencesWhere([&](const RoomPresenceRecord& presence) { return presence.roomId == id; });
    RemoveTablesWhere([&](const TableRecord& table) { return table.roomId() == id; });
    RemoveSeatsWhere([&](const SeatRecord& seat) { return seat.roomId == id; });
    RemoveJoinRequestsWhere([&](const JoinRecord& join) { return join.roomId == id; });
    RefreshRoomList();
}

void OnRoomRelay(const FieldList& fields) {
    SiblingBatch batch;
    SendToRoomWindow(NumberField(fields, 2), RelayCodeField(fields, 3), FieldAt(fields, 4));
}

void OnRoomLeft(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t presenceId = NumberField(fields, 2);
    std::int32_t roomId = 0, playerId = 0;
    const std::size_t at = FirstPresence(presenceId);
    if (at != kNotFound) {
        roomId = roomPresences[at].roomId;
        playerId = roomPresences[at].playerId;
        RemovePresenceAt(at);
        const std::size_t room = FirstRoom(roomId);
        if (room != kNotFound) --rooms[room].users;
        SendToRoomWindow(roomId, RELAY_ROOM_LEFT, IntToText(presenceId));
    }
    // The player's seats in that room go, each told to its table's window, last first.
    std::vector<SeatRecord> leaving;
    for (std::size_t i = seats.size(); i-- > 0;)
        if (seats[i].playerId == playerId && seats[i].roomId == roomId) leaving.push_back(seats[i]);
    if (!leaving.empty()) {
        RemoveSeatsWhere([&](const SeatRecord& seat) {
            return seat.playerId == playerId && seat.roomId == roomId;
        });
    }
    for (const SeatRecord& seat : leaving)
        SendToTableWindow(seat.tableId, RELAY_SEAT_REMOVED, IntToText(seat.seatId));
    DropJoinRequests([&](const JoinRecord& join) {
        return join.roomId == roomId && (join.playerA == playerId || join.playerB == playerId);
    });
    RefreshRoomUsers();
}

void OnContacts(const FieldList& fields) {
    SiblingBatch batch;
    const std::string_view list = FieldAt(fields, 2);
    ForEachPiece(list, ';', [&](std::string_view record) {
        const auto items = RecordItems<3>(record);
        ContactRecord contact;
        contact.contactId = TextToInt(items[0]);
        contact.playerId = TextToInt(items[1]);
        contact.relation = TextToInt(items[2]);
        const std::size_t at = FirstContact(contact.contactId);
        if (at != kNotFound)
            contactRelations[at].relation = contact.relation;
        else
            AddContact(contact);
    });
    BroadcastToChildWindows(RELAY_CONTACTS, list);
    LobbyRefreshContacts();
}

void OnAddContactResult(const FieldList& fields) {
    LobbyShowAddContactFailure(NumberField(fields, 2));
}

void OnContactChanged(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t contactId = NumberField(fields, 2);
    const std::int32_t relation = NumberField(fields, 3);
    const std::size_t at = FirstContact(contactId);
    if (at != kNotFound) contactRelations[at].relation = relation;
    BroadcastToChildWindows(RELAY_CONTACT_CHANGED, Pair(contactId, ',', relation));
    LobbyRefreshContacts();
}

void OnContactRemoved(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t contactId = NumberField(fields, 2);
    const std::size_t at = FirstContact(contactId);
    if (at != kNotFound) RemoveContactAt(at);
    BroadcastToChildWindows(RELAY_CONTACT_REMOVED, IntToText(contactId));
    LobbyRefreshContacts();
}

void OnPrivateMessage(const FieldList& fields) {
    // The text is everything after the player id: a comma in it stays.
    std::string text;
    for (std::size_t i = 3; i < fields.size(); ++i) {
        if (i > 3) text += ',';
        text += fields[i];
    }
    RequestChatWindow(NumberField(fields, 2), text);
}

void OnUndeliverable(const FieldList& fields) {
    // Nothing of the message is held while the box is up: the hub keeps dispatching.
    const std::int32_t reason = NumberField(fields, 2);
    const std::wstring nickname = WideFromUtf8(Base64Decode(FieldAt(fields, 3)));
    ShowUndeliverable(reason, nickname);
}

void OnTables(const FieldList& fields) {
    SiblingBatch batch;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        const auto items = RecordItems<kTableValueCount + 1>(record);
        TableRecord received;
        for (int i = 0; i < kTableValueCount; ++i)
            received.values[i] = TextToInt(items[i]);
        const bool openMark = TextToInt(items[kTableValueCount]) == 1;
        const std::int32_t id = received.id();
        // A known table stays in its room whatever value 1 says now.
        std::int32_t roomId = received.roomId();
        bool open = false;
        const std::size_t at = FirstTable(id);
        if (at != kNotFound) {
            TableRecord& table = tables[at];
            for (int i : {2, 6, 14, 15, 16})
                table.values[i] = received.values[i];
            roomId = table.roomId();
            open = table.windowOpen;
        } else {
            AddTable(received);
        }
        const WindowRef roomWindow = OpenRoomWindowOf(roomId);
        const WindowRef tableWindow = OpenTableWindowOf(id);
        if (roomWindow != 0 || tableWindow != 0) {
            const std::string bytes = RelayBytes(RoomTableRecordText(received, open));
            if (roomWindow != 0) SendRelayBytes(roomWindow, RELAY_TABLES, bytes);
            if (tableWindow != 0) SendRelayBytes(tableWindow, RELAY_TABLES, bytes);
        }
        const bool ownTable =
            received.values[5] == OwnPlayerId || received.values[6] == OwnPlayerId;
        if (openMark && ownTable && received.values[16] == 0) {
            const bool opened = OpenTableWindow(FirstTable(id));
            SendToRoomWindow(roomId, RELAY_TABLE_ANSWER,
                             Pair(id, ':', opened ? TABLE_OPENED : TABLE_START_FAILED));
        }
    });
    LobbyRepaintMain();
}

void OnSeats(const FieldList& fields) {
    SiblingBatch batch;
    ForEachPiece(FieldAt(fields, 2), ';', [&](std::string_view record) {
        const auto items = RecordItems<4>(record);
        SeatRecord seat;
        seat.seatId = TextToInt(items[0]);
        seat.roomId = TextToInt(items[1]);
        seat.tableId = TextToInt(items[2]);
        seat.playerId = TextToInt(items[3]);
        if (FirstSeat(seat.seatId) != kNotFound) return;
        AddSeat(seat);
        if (const WindowRef roomWindow = OpenRoomWindowOf(seat.roomId))
            SendRelayBytes(roomWindow, RELAY_SEATS, RelayBytes(RoomSeatRecordText(seat)));
        if (const WindowRef tableWindow = OpenTableWindowOf(seat.tableId))
            SendRelayBytes(tableWindow, RELAY_SEATS, RelayBytes(TableSeatRecordText(seat)));
    });
}

void OnTableRemoved(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t id = NumberField(fields, 2);
    const std::size_t at = FirstTable(id);
    if (at != kNotFound) {
        const std::int32_t roomId = tables[at].roomId();
        RemoveSeatsWhere([&](const SeatRecord& seat) { return seat.tableId == id; });
        RemoveTableAt(FirstTable(id));
        SendToRoomWindow(roomId, RELAY_TABLE_REMOVED, IntToText(id));
    }
    DropJoinRequests([&](const JoinRecord& join) { return join.tableId == id; });
    LobbyRepaintMain();
}

void OnJoinRequest(const FieldList& fields) {
    OpenJoinWindow(FieldAt(fields, 2));
}

void OnJoinResult(const FieldList& fields) {
    const std::int32_t joinId = NumberField(fields, 2);
    const std::size_t at = FirstJoinRequest(joinId);
    if (at == kNotFound) return;
    const JoinRecord join = TakeJoinRequestAt(at);
    const WindowRef window = join.windowOpen ? join.window : 0;
    SiblingBatch batch;
    if (window != 0) SendCodeToSibling(window, NC_JOIN_RESULT, NumberField(fields, 3));
}

void OnSeatRemoved(const FieldList& fields) {
    SiblingBatch batch;
    const std::int32_t seatId = NumberField(fields, 2);
    const std::size_t at = FirstSeat(seatId);
    if (at == kNotFound) return;
    const SeatRecord seat = seats[at];
    RemoveSeatAt(at);
    SendToRoomWindow(seat.roomId, RELAY_SEAT_REMOVED, IntToText(seatId));
    SendToTableWindow(seat.tableId, RELAY_SEAT_REMOVED, IntToText(seatId));
}

void OnTableRelay(const FieldList& fields) {
    SiblingBatch batch;
    SendToTableWindow(NumberField(fields, 2), RelayCodeField(fields, 3), FieldAt(fields, 4));
}
