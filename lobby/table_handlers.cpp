// Tables, seats and join requests, kept from the server's messages and relayed to the
// room and table windows; a join request starts JoinView.exe.
#include "lobby/lobby_handlers.h"

#include "lobby/handler_helpers.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "lobby/sibling_launch.h"
#include "net/notification_codes.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

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
            for (int i : {2, 6, 14, 15, 16})
                SetTableValueAt(at, i, received.values[i]);
            roomId = Tables()[at].roomId();
            open = Tables()[at].windowOpen;
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
        using S = SeatRecord;
        const S seat = ReadRecord(record, &S::seatId, &S::roomId, &S::tableId, &S::playerId);
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
        const std::int32_t roomId = Tables()[at].roomId();
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
    const SeatRecord seat = Seats()[at];
    RemoveSeatAt(at);
    SendToRoomWindow(seat.roomId, RELAY_SEAT_REMOVED, IntToText(seatId));
    SendToTableWindow(seat.tableId, RELAY_SEAT_REMOVED, IntToText(seatId));
}

void OnTableRelay(const FieldList& fields) {
    SiblingBatch batch;
    SendToTableWindow(NumberField(fields, 2), RelayCodeField(fields, 3), FieldAt(fields, 4));
}
