// Relay texts and notification codes from the sibling windows.
#include "lobby/sibling_reports.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "lobby/conversations.h"
#include "lobby/lobby_port.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_state.h"
#include "lobby/pacing.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "net/link.h"
#include "net/names.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"
#include "net/wire.h"

namespace {

constexpr std::int32_t kPlaceLimit = 10000;

std::vector<ReportCount> reportCounts;

// An id from lParam; false when it cannot be one (no record carries it).
bool IdFrom(std::intptr_t lParam, std::int32_t& id) {
    if (lParam < std::numeric_limits<std::int32_t>::min() ||
        lParam > std::numeric_limits<std::int32_t>::max())
        return false;
    id = static_cast<std::int32_t>(lParam);
    return true;
}

void OnRoomWindowClosed(std::string_view rest) {
    std::string_view pieces[3];
    std::size_t count = 0;
    ForEachPiece(rest, ',', [&](std::string_view piece) {
        if (count < 3) pieces[count++] = piece;
    });
    const std::int32_t id = TextToInt(pieces[0]);
    const std::size_t at = FirstRoom(id);
    if (at == kNotFound) return;
    const std::int32_t x = TextToInt(pieces[1]);
    const std::int32_t y = TextToInt(pieces[2]);
    if (x < kPlaceLimit && y < kPlaceLimit) SetRoomPlaceAt(at, x, y);
    SetRoomWindowAt(at, 0);
    PushOutbound(ComposeLeaveRoom(pieces[0]));

    std::vector<WindowRef> closing;
    for (std::size_t i = 0; i < Tables().size(); ++i) {
        const TableRecord& table = Tables()[i];
        if (table.roomId() != id || !table.windowOpen) continue;
        closing.push_back(table.window);
        SetTableWindowAt(i, 0);
    }
    for (WindowRef window : RemoveJoinRequestsWhere(
             [&](const JoinRecord& join) { return join.roomId == id && join.windowOpen; }))
        closing.push_back(window);
    for (WindowRef window : closing)
        SiblingPostCode(window, NC_HUB_CLOSING, 0);
}

// A join window's answer "<join id>:<answer>": passed to the server as written when the
// request's window is open; the request is forgotten either way.
void OnJoinAnswered(std::string_view rest) {
    const std::size_t colon = rest.find(':');
    const std::string_view joinId = rest.substr(0, colon);
    const std::string_view answer =
        colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    const std::string_view answerItem = answer.substr(0, answer.find(':'));
    const std::int32_t id = TextToInt(joinId);
    const std::size_t at = FirstJoinRequest(id);
    if (at == kNotFound) return;
    const bool open = TakeJoinRequestAt(at).windowOpen;
    if (open) PushOutbound(ComposeJoinAnswer(joinId, answerItem));
}

}  // namespace

bool ReadRelayReport(std::uintptr_t code, const void* data, std::size_t size, RelayReport& report) {
    if (data == nullptr || size == 0) return false;
    const char* bytes = static_cast<const char*>(data);
    const void* zero = std::memchr(bytes, 0, size);
    const std::size_t length =
        zero == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(zero) - bytes);
    const std::string_view text(bytes, length);
    const std::string_view prefix = kRelayPrefix;
    if (text.size() <= prefix.size() || !text.starts_with(prefix)) return false;
    if (code != RELAY_ROOM_WINDOW_CLOSED && code != RELAY_JOIN_ANSWER &&
        code != RELAY_CHAT_REQUEST && code != RELAY_TO_SERVER)
        return false;
    report.code = code;
    report.rest = text.substr(prefix.size());
    return true;
}

void OnSiblingCopyData(std::uintptr_t code, const void* data, std::size_t size) {
    if (!isConnected.load()) return;
    RelayReport report;
    if (!ReadRelayReport(code, data, size, report)) return;
    switch (report.code) {
        case RELAY_TO_SERVER:
            PushOutbound(report.rest);
            break;
        case RELAY_JOIN_ANSWER:
            OnJoinAnswered(report.rest);
            break;
        case RELAY_CHAT_REQUEST:
            RequestChatWindow(TextToInt(report.rest), {});
            break;
        default:
            OnRoomWindowClosed(report.rest);
    }
}

void OnRoomWindowGone(std::intptr_t roomId) {
    std::int32_t id = 0;
    if (IdFrom(roomId, id)) {
        for (std::size_t at : EveryRoom(id))
            SetRoomWindowAt(at, 0);
        if (SelectedRoomId == id) ClearRoomSelection();
    }
    RepaintRoomList();
}

void OnTableWindowRequested(std::intptr_t tableId) {
    std::int32_t id = 0;
    if (!IdFrom(tableId, id)) return;
    SiblingBatch batch;
    for (std::size_t at : EveryTable(id)) {
        if (at >= Tables().size() || Tables()[at].id() != id) continue;  // changed meanwhile
        const std::int32_t roomId = Tables()[at].roomId();
        int answer = TABLE_ALREADY_OPEN;
        if (!Tables()[at].windowOpen)
            answer = OpenTableWindow(at) ? TABLE_OPENED : TABLE_START_FAILED;
        SendToRoomWindow(roomId, RELAY_TABLE_ANSWER, IntToText(id) + ":" + IntToText(answer));
    }
}

void OnTableWindowGone(std::intptr_t tableId) {
    std::int32_t id = 0;
    if (!IdFrom(tableId, id)) return;
    const std::size_t at = FirstTable(id);
    if (at == kNotFound || !Tables()[at].windowOpen) return;
    SetTableWindowAt(at, 0);
    const std::int32_t roomId = Tables()[at].roomId();
    std::vector<WindowRef> roomWindows;
    for (std::size_t room : EveryRoom(roomId))
        if (Rooms()[room].windowOpen) roomWindows.push_back(Rooms()[room].window);
    SiblingBatch batch;
    for (WindowRef window : roomWindows)
        SendCodeToSibling(window, NC_ROOM_TABLE_CLOSED, id);
    PushOutbound(ComposeLeaveTable(id));
}

void OnSiblingReport(int code, std::intptr_t id, std::uint64_t nowMs) {
    std::int32_t named = 0;
    WindowRef window = 0;
    if (IdFrom(id, named)) {
        const std::size_t table = code == NC_OPEN_TABLE ? FirstTable(named) : kNotFound;
        window = code == NC_ROOM_CLOSED    ? OpenRoomWindowOf(named)
                 : code == NC_TABLE_CLOSED ? OpenTableWindowOf(named)
                 : table != kNotFound      ? OpenRoomWindowOf(Tables()[table].roomId())
                                           : 0;
    }
    switch (JudgeReport(reportCounts, window, nowMs)) {
        case ReportVerdict::DropAndTell:
            SendToDebugWindow(RELAY_DEBUG_TEXT,
                              L"Sibling window " + std::to_wstring(window) + L": over " +
                                  std::to_wstring(kReportsPerSecond) + L" reports a second, code " +
                                  std::to_wstring(code) + L" (" + std::to_wstring(id) +
                                  L") and the rest of this second dropped");
            return;
        case ReportVerdict::Drop:
            return;
        case ReportVerdict::Act:
            break;
    }
    if (code == NC_ROOM_CLOSED)
        OnRoomWindowGone(id);
    else if (code == NC_OPEN_TABLE)
        OnTableWindowRequested(id);
    else if (code == NC_TABLE_CLOSED)
        OnTableWindowGone(id);
}
