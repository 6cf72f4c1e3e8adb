// Room, table and conversation launches.
#include "lobby/sibling_launch.h"

#include <chrono>

#include "lobby/child_command_line.h"
#include "lobby/lobby_port.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_state.h"
#include "lobby/record_items.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "net/connection_log.h"
#include "net/names.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"
#include "net/wire.h"
#include "settings/paths.h"
#include "settings/settings.h"

namespace {

constexpr wchar_t kRoomProgram[] = L"RoomView.exe";
constexpr wchar_t kTableProgram[] = L"BoardView.exe";
constexpr wchar_t kChatProgram[] = L"ChatView.exe";
constexpr wchar_t kJoinProgram[] = L"JoinView.exe";
constexpr int kTableLaunchPauseMs = 100;

// Starts `program` from the hub's folder unless its command line is over the limit: then
// nothing starts (process 0, as after a failed start) and the debug window hears why.
ProcessRef StartSibling(const wchar_t* program, const std::wstring& line, int showMode) {
    const std::wstring path = ProgramFolder + program;
    const std::size_t length = CommandLineLength(path, line);
    if (length < kCommandLineLimit) return SiblingStart(path, line, showMode);
    SendToDebugWindow(RELAY_DEBUG_TEXT, program + std::wstring(L" not started: command line of ") +
                                            std::to_wstring(length) +
                                            L" characters is over the limit");
    return 0;
}

void LogLaunch(const wchar_t* program, std::string_view result, std::int64_t milliseconds = -1) {
    if (!connectionLogOn) return;
    const std::string line = "sibling " + Utf8FromWide(program) + std::string(result);
    if (milliseconds < 0) return RecordConnectionEvent(line);
    RecordConnectionEvent(line, milliseconds, " ms");
}

// StartSibling, then waits until the program is idle and finds its window of `className`
// (0 when none appeared).
WindowRef StartAndFind(const wchar_t* program, const std::wstring& line, int showMode,
                       const std::wstring& className) {
    const auto start = std::chrono::steady_clock::now();
    const ProcessRef process = StartSibling(program, line, showMode);
    SiblingWaitUntilIdle(process, kSiblingIdleWaitMs);
    const WindowRef window = SiblingFindOwnedWindow(process, className);
    SiblingCloseProcess(process);
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    if (process == 0)
        LogLaunch(program, " not started");
    else
        LogLaunch(program,
                  window != 0 ? " started, window found after " : " started, no window after ",
                  waited.count());
    return window;
}

}  // namespace

void OpenRoomWindow() {
    const std::int32_t id = SelectedRoomId;
    ClearRoomSelection();
    RepaintRoomList();
    if (id <= 0) return;
    const std::wstring className = kRoomClassPrefix + std::to_wstring(id);
    std::size_t at = FirstRoom(id);
    if (at == kNotFound || Rooms()[at].windowOpen || Rooms()[at].state == kRoomLocked) return;

    const WindowRef window = StartAndFind(
        kRoomProgram, FitRoomCommandLine(ProgramFolder + kRoomProgram, OwnPlayerId, Rooms()[at]),
        kShowNormal, className);
    if (window == 0) return;

    at = FirstRoom(id);
    if (at == kNotFound) return;
    SetRoomWindowAt(at, window);
    ReplayToRoomWindow(id);
    PushOutbound(ComposeEnterRoom(id));
}

bool OpenTableWindow(std::size_t tableIndex) {
    SiblingBatch batch;
    SiblingPause(kTableLaunchPauseMs);
    if (tableIndex >= Tables().size()) return false;
    const TableRecord table = Tables()[tableIndex];
    const std::size_t room = LastRoom(table.roomId());
    const std::int32_t roomKind = room == kNotFound ? 0 : Rooms()[room].moneyKind;
    const std::wstring className = kTableClassPrefix + std::to_wstring(table.id());

    const WindowRef window = StartAndFind(
        kTableProgram, TableCommandLine(OwnPlayerId, roomKind, table), kShowNormal, className);
    if (window == 0) return false;

    if (tableIndex < Tables().size() && Tables()[tableIndex].id() == table.id())
        SetTableWindowAt(tableIndex, window);
    SendCodeToSibling(window, NC_SOUND_CHANGED, sound);
    SendCodeToSibling(window, NC_SAVE_FORMAT_CHANGED, save);
    SendCodeToSibling(window, NC_TIMESTAMP_CHANGED, timestamp);
    SendCodeToSibling(window, NC_ENTER_EXIT_CHANGED, enterexit);
    ReplayToTableWindow(table);
    PushOutbound(ComposeOpenTable(table.roomId(), table.id()));
    return true;
}

void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text) {
    const std::wstring line =
        FitChatCommandLine(ProgramFolder + kChatProgram, isContact, name, text);
    const ProcessRef process = StartSibling(kChatProgram, line, kShowNormal);
    LogLaunch(kChatProgram, process != 0 ? " started" : " not started");
    SiblingCloseProcess(process);
}

namespace {

// A display name as JoinView.exe reads it: its UTF-8 bytes, one per unit.
std::wstring JoinName(std::int32_t playerId) {
    const std::size_t at = FirstPlayer(playerId);
    return at == kNotFound ? std::wstring() : WideFromNarrow(Utf8FromWide(Players()[at].name));
}

}  // namespace

void OpenJoinWindow(std::string_view payload) {
    using J = JoinRecord;
    const J join = ReadRecord(payload, &J::joinId, &J::roomId, &J::tableId, &J::playerA,
                              &J::playerB, &J::answerCount);

    const std::size_t known = FirstJoinRequest(join.joinId);
    if (known != kNotFound) {
        if (join.answerCount <= 0) return;
        const WindowRef window = TakeJoinRequestAt(known).window;
        SiblingBatch batch;
        if (window != 0) SendCodeToSibling(window, NC_JOIN_ANSWER_COUNT, join.answerCount);
        return;
    }
    if (join.answerCount > 0) return;

    const std::size_t room = FirstRoom(join.roomId);
    const std::int32_t roomKind = room == kNotFound ? 0 : Rooms()[room].moneyKind;
    const std::wstring nameA = JoinName(join.playerA);
    const std::wstring nameB = JoinName(join.playerB);
    AddJoinRequest(join);
    const std::size_t tableAt = LastTable(join.tableId);
    const TableRecord table = tableAt == kNotFound ? TableRecord{} : Tables()[tableAt];
    const std::wstring className = kJoinClassPrefix + std::to_wstring(join.joinId);

    const WindowRef window =
        StartAndFind(kJoinProgram,
                     FitJoinCommandLine(ProgramFolder + kJoinProgram, OwnPlayerId, join, nameA,
                                        nameB, table, roomKind),
                     kShowPlain, className);
    if (window == 0) {
        SendToDebugWindow(RELAY_DEBUG_TEXT, L"LaunchJoin() should output error");
        return;
    }
    // The record made above, if nothing took it meanwhile.
    GiveJoinRequestItsWindow(join.joinId, window);
}
