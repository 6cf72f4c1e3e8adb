// Relay messages to the sibling windows, and the payloads built from the lobby lists.
#include "lobby/relay.h"

#include <algorithm>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/record_items.h"
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

void AppendTableValues(std::string& text, const TableRecord& table) {
    for (int i = 0; i < kTableValueCount; ++i) {
        if (i == 1) continue;  // the room id: the window knows its room
        if (i > 0) text += ':';
        text += IntToText(table.values[i]);
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

namespace {

void AppendPlayer(std::string& text, const PlayerRecord& player) {
    using P = PlayerRecord;
    AppendRecord(text, player, &P::id, &P::name, &P::value, &P::status);
}
void AppendContact(std::string& text, const ContactRecord& contact) {
    using C = ContactRecord;
    AppendRecord(text, contact, &C::contactId, &C::playerId, &C::relation);
}
void AppendPresence(std::string& text, const RoomPresenceRecord& presence) {
    AppendRecord(text, presence, &RoomPresenceRecord::presenceId, &RoomPresenceRecord::playerId);
}
void AppendRoomTable(std::string& text, const TableRecord& table) {
    text += RoomTableRecordText(table, table.windowOpen);
}
void AppendRoomSeat(std::string& text, const SeatRecord& seat) {
    AppendRecord(text, seat, &SeatRecord::seatId, &SeatRecord::tableId, &SeatRecord::playerId);
}
void AppendTableSeat(std::string& text, const SeatRecord& seat) {
    AppendRecord(text, seat, &SeatRecord::seatId, &SeatRecord::playerId);
}

// Every record of `list` for which keep(record) holds, in list order.
template <class Record, class Keep>
std::string Payload(const std::vector<Record>& list, Keep keep,
                    void (*append)(std::string&, const Record&)) {
    std::string text;
    for (const Record& record : list)
        if (keep(record)) append(text, record);
    return text;
}

template <class Record>
std::string TextOf(void (*append)(std::string&, const Record&), const Record& record) {
    std::string text;
    append(text, record);
    return text;
}

constexpr auto kEvery = [](const auto&) { return true; };

}  // namespace

std::string PlayersPayload() {
    return Payload(Players(), kEvery, AppendPlayer);
}

std::string ContactsPayload() {
    return Payload(ContactRelations(), kEvery, AppendContact);
}

std::string PresenceRecordText(const RoomPresenceRecord& presence) {
    return TextOf(AppendPresence, presence);
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
    return TextOf(AppendRoomSeat, seat);
}

std::string TableSeatRecordText(const SeatRecord& seat) {
    return TextOf(AppendTableSeat, seat);
}

std::string RoomPresencesPayload(std::int32_t roomId) {
    return Payload(
        RoomPresences(),
        [&](const RoomPresenceRecord& presence) { return presence.roomId == roomId; },
        AppendPresence);
}

std::string RoomTablesPayload(std::int32_t roomId) {
    return Payload(
        Tables(), [&](const TableRecord& table) { return table.roomId() == roomId; },
        AppendRoomTable);
}

std::string RoomSeatsPayload(std::int32_t roomId) {
    return Payload(
        Seats(), [&](const SeatRecord& seat) { return seat.roomId == roomId; }, AppendRoomSeat);
}

std::string TableSeatsPayload(std::int32_t tableId) {
    return Payload(
        Seats(), [&](const SeatRecord& seat) { return seat.tableId == tableId; }, AppendTableSeat);
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
