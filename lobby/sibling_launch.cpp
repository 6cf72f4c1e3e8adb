// Room, table and conversation launches.
#include "lobby/sibling_launch.h"

#include "lobby/child_command_line.h"
#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "net/names.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/wire.h"
#include "settings/paths.h"
#include "settings/settings.h"

namespace {

constexpr wchar_t kRoomProgram[] = L"RoomView.exe";
constexpr wchar_t kTableProgram[] = L"BoardView.exe";
constexpr wchar_t kChatProgram[] = L"ChatView.exe";
constexpr int kLockedState = 2;
constexpr int kTableLaunchPauseMs = 100;

}  // namespace

void OpenRoomWindow() {
    const std::int32_t id = SelectedRoomId;
    ClearRoomSelection();
    LobbyRepaintRoomList();
    if (id <= 0) return;
    const std::wstring className = kRoomClassPrefix + std::to_wstring(id);
    std::size_t at = FirstRoom(id);
    if (at == kNotFound || rooms[at].windowOpen || rooms[at].state == kLockedState) return;

    const ProcessRef process = SiblingStart(ProgramFolder + kRoomProgram,
                                            RoomCommandLine(OwnPlayerId, rooms[at]), kShowNormal);
    SiblingWaitUntilIdle(process, kSiblingIdleWaitMs);
    const bool found = SiblingFindWindow(className) != 0;
    const WindowRef window = found ? SiblingFindWindow(className) : 0;
    SiblingCloseProcess(process);
    if (!found) return;

    at = FirstRoom(id);
    if (at == kNotFound) return;
    rooms[at].windowOpen = true;
    rooms[at].window = window;
    ReplayToRoomWindow(id);
    PushOutbound(ComposeEnterRoom(id));
}

bool OpenTableWindow(std::size_t tableIndex) {
    SiblingBatch batch;
    SiblingPause(kTableLaunchPauseMs);
    if (tableIndex >= tables.size()) return false;
    const TableRecord table = tables[tableIndex];
    const std::size_t room = LastRoom(table.roomId());
    const std::int32_t roomKind = room == kNotFound ? 0 : rooms[room].moneyKind;
    const std::wstring className = kTableClassPrefix + std::to_wstring(table.id());

    const ProcessRef process = SiblingStart(
        ProgramFolder + kTableProgram, TableCommandLine(OwnPlayerId, roomKind, table), kShowNormal);
    SiblingWaitUntilIdle(process, kSiblingIdleWaitMs);
    const WindowRef window = SiblingFindWindow(className);
    SiblingCloseProcess(process);
    if (window == 0) return false;

    if (tableIndex < tables.size() && tables[tableIndex].id() == table.id()) {
        tables[tableIndex].windowOpen = true;
        tables[tableIndex].window = window;
    }
    SendCodeToSibling(window, NC_SOUND_CHANGED, sound);
    SendCodeToSibling(window, NC_SAVE_FORMAT_CHANGED, save);
    SendCodeToSibling(window, NC_TIMESTAMP_CHANGED, timestamp);
    SendCodeToSibling(window, NC_ENTER_EXIT_CHANGED, enterexit);
    ReplayToTableWindow(table);
    PushOutbound(ComposeOpenTable(table.roomId(), table.id()));
    return true;
}

void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text) {
    SiblingCloseProcess(SiblingStart(ProgramFolder + kChatProgram,
                                     ChatCommandLine(isContact, name, text), kShowNormal));
}
