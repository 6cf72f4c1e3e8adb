// The room list and the players in each room, kept from the server's messages and relayed
// to the room windows.
#include "lobby/lobby_handlers.h"

#include "lobby/handler_helpers.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_state.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

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
        RelistRoomAt(at, WideFromUtf8(items[1]), TextToInt(items[2]), TextToInt(items[3]));
        if (Rooms()[at].state == kRoomLocked && SelectedRoomId == id) ClearRoomSelection();
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
        using P = RoomPresenceRecord;
        const P presence = ReadRecord(record, &P::presenceId, &P::roomId, &P::playerId);
        if (FirstPresence(presence.presenceId) != kNotFound) return;
        AddPresence(presence);
        const std::size_t room = FirstRoom(presence.roomId);
        if (room == kNotFound) return;
        ChangeRoomUsersAt(room, 1);
        if (!Rooms()[room].windowOpen) return;
        SendRelayBytes(Rooms()[room].window, RELAY_ROOM_PRESENCES,
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
        roomId = RoomPresences()[at].roomId;
        playerId = RoomPresences()[at].playerId;
        RemovePresenceAt(at);
        const std::size_t room = FirstRoom(roomId);
        if (room != kNotFound) ChangeRoomUsersAt(room, -1);
        SendToRoomWindow(roomId, RELAY_ROOM_LEFT, IntToText(presenceId));
    }
    // The player's seats in that room go, each told to its table's window, last first.
    std::vector<SeatRecord> leaving;
    const std::vector<SeatRecord>& seats = Seats();
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
