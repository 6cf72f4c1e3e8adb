// Relay messages to the sibling windows, and the payloads built from the lobby lists.
#include "lobby/relay.h"

#include <algorithm>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "net/names.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"

namespace {

int batchDepth = 0;
std::vector<WindowRef> unanswered;  // windows that missed their time limit in this batch

bool SkippedInBatch(WindowRef window) {
    return std::find(unanswered.begin(), unanswered.end(), window) != unanswered.end();
}

void NoteAnswer(WindowRef window, bool answered) {
    if (!answered && batchDepth > 0) unanswered.push_back(window);
}

void AddNumber(std::string& text, std::int32_t value) {
    text += IntToText(value);
}

void AppendTableValues(std::string& text, const TableRecord& table) {
    for (int i = 0; i < kTableValueCount; ++i) {
        if (i == 1) continue;  // the room id: the window knows its room
        if (i > 0) text += ':';
        AddNumber(text, table.values[i]);
    }
}

void AddOpenWindows(std::vector<WindowRef>& windows, const auto& list) {
    for (const auto& record : list)
        if (record.windowOpen) windows.push_back(record.window);
}

}  // namespace

std::string RelayBytes(std::string_view payload) {
    std::string bytes;
    bytes.reserve(sizeof kRelayPrefix + payload.size());
    bytes += kRelayPrefix;
    bytes += payload;
    bytes += '\0';
    return bytes;
}

SiblingBatch::SiblingBatch() {
    if (batchDepth++ == 0) unanswered.clear();
}

SiblingBatch::~SiblingBatch() {
    if (--batchDepth == 0) unanswered.clear();
}

bool SendRelayBytes(WindowRef window, std::uintptr_t code, std::string_view bytes) {
    if (SkippedInBatch(window)) return false;
    bool answered = SiblingSendCopyData(window, code, bytes);
    NoteAnswer(window, answered);
    return answered;
}

bool SendCodeToSibling(WindowRef window, int code, std::intptr_t lParam) {
    if (SkippedInBatch(window)) return false;
    bool answered = SiblingSendCode(window, code, lParam);
    NoteAnswer(window, answered);
    return answered;
}

WindowRef OpenRoomWindowOf(std::int32_t roomId) {
    const std::size_t at = FirstRoom(roomId);
    return at != kNotFound && Rooms()[at].windowOpen ? Rooms()[at].window : 0;
}

WindowRef OpenTableWindowOf(std::int32_t tableId) {
    const std::size_t at = FirstTable(tableId);
    return at != kNotFound && Tables()[at].windowOpen ? Tables()[at].window : 0;
}

void SendToRoomWindow(std::int32_t roomId, std::uintptr_t code, std::string_view payload) {
    const WindowRef window = OpenRoomWindowOf(roomId);
    if (window != 0) SendRelayBytes(window, code, RelayBytes(payload));
}

void SendToTableWindow(std::int32_t tableId, std::uintptr_t code, std::string_view payload) {
    const WindowRef window = OpenTableWindowOf(tableId);
    if (window != 0) SendRelayBytes(window, code, RelayBytes(payload));
}

std::vector<WindowRef> OpenChildWindows() {
    std::vector<WindowRef> windows;
    AddOpenWindows(windows, Rooms());
    AddOpenWindows(windows, TournamentRooms());
    AddOpenWindows(windows, Tables());
    AddOpenWindows(windows, TournamentTables());
    return windows;
}

void SendToWindows(const std::vector<WindowRef>& windows, std::uintptr_t code,
                   std::string_view payload) {
    if (windows.empty()) return;
    const std::string bytes = RelayBytes(payload);
    for (WindowRef window : windows)
        SendRelayBytes(window, code, bytes);
}

void BroadcastToChildWindows(std::uintptr_t code, std::string_view payload) {
    SendToWindows(OpenChildWindows(), code, payload);
}

void SendToDebugWindow(std::uintptr_t code, const std::wstring& text) {
    WindowRef window = SiblingFindWindow(kDebugWindowClass);
    if (window != 0) SendRelayBytes(window, code, RelayBytes(Utf8FromWide(text)));
}

std::string PlayersPayload() {
    std::string text;
    for (const PlayerRecord& player : Players()) {
        AddNumber(text, player.id);
        text += ':';
        text += Utf8FromWide(player.name);
        text += ':';
        AddNumber(text, player.value);
        text += ':';
        AddNumber(text, player.status);
        text += ';';
    }
    return text;
}

std::string ContactsPayload() {
    std::string text;
    for (const ContactRecord& contact : ContactRelations()) {
        AddNumber(text, contact.contactId);
        text += ':';
        AddNumber(text, contact.playerId);
        text += ':';
        AddNumber(text, contact.relation);
        text += ';';
    }
    return text;
}

std::string PresenceRecordText(const RoomPresenceRecord& presence) {
    return IntToText(presence.presenceId) + ':' + IntToText(presence.playerId) + ';';
}

std::string TableValuesText(const TableRecord& table) {
    std::string text;
    AppendTableValues(text, table);
    return text;
}

std::string RoomTableRecordText(const TableRecord& table, bool windowOpen) {
    return TableValuesText(table) + (windowOpen ? ":1;" : ":0;");
}

std::string RoomSeatRecordText(const SeatRecord& seat) {
    return IntToText(seat.seatId) + ':' + IntToText(seat.tableId) + ':' + IntToText(seat.playerId) +
           ';';
}

std::string TableSeatRecordText(const SeatRecord& seat) {
    return IntToText(seat.seatId) + ':' + IntToText(seat.playerId) + ';';
}

std::string RoomPresencesPayload(std::int32_t roomId) {
    std::string text;
    for (const RoomPresenceRecord& presence : RoomPresences())
        if (presence.roomId == roomId) text += PresenceRecordText(presence);
    return text;
}

std::string RoomTablesPayload(std::int32_t roomId) {
    std::string text;
    for (const TableRecord& table : Tables())
        if (table.roomId() == roomId) text += RoomTableRecordText(table, table.windowOpen);
    return text;
}

std::string RoomSeatsPayload(std::int32_t roomId) {
    std::string text;
    for (const SeatRecord& seat : Seats())
        if (seat.roomId == roomId) text += RoomSeatRecordText(seat);
    return text;
}

std::string TableSeatsPayload(std::int32_t tableId) {
    std::string text;
    for (const SeatRecord& seat : Seats())
        if (seat.tableId == tableId) text += TableSeatRecordText(seat);
    return text;
}

void ReplayToRoomWindow(std::int32_t roomId) {
    SiblingBatch batch;
    SendToRoomWindow(roomId, RELAY_PLAYERS, PlayersPayload());
    if (!ContactRelations().empty()) SendToRoomWindow(roomId, RELAY_CONTACTS, ContactsPayload());
    const std::string presences = RoomPresencesPayload(roomId);
    if (!presences.empty()) SendToRoomWindow(roomId, RELAY_ROOM_PRESENCES, presences);
    const std::string roomTables = RoomTablesPayload(roomId);
    if (!roomTables.empty()) SendToRoomWindow(roomId, RELAY_TABLES, roomTables);
    const std::string roomSeats = RoomSeatsPayload(roomId);
    if (!roomSeats.empty()) SendToRoomWindow(roomId, RELAY_SEATS, roomSeats);
}

void ReplayToTableWindow(TableRecord table) {
    SiblingBatch batch;
    const std::int32_t tableId = table.id();
    SendToTableWindow(tableId, RELAY_TABLES, TableValuesText(table));
    SendToTableWindow(tableId, RELAY_PLAYERS, PlayersPayload());
    if (!ContactRelations().empty()) SendToTableWindow(tableId, RELAY_CONTACTS, ContactsPayload());
    const std::string tableSeats = TableSeatsPayload(tableId);
    if (!tableSeats.empty()) SendToTableWindow(tableId, RELAY_SEATS, tableSeats);
}
