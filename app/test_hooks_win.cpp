// Built into TavloraTest.exe only, never into Tavlora.exe: lets an end-to-end test do
// what the room list view will do, by posting TavloraIntMessage to the main window
// (KXLobby0), for instance `probe post KXLobby0 TavloraIntMessage 900 <room id>`:
//   900, lParam room id      select that room and enter it, as "Enter room" does
//   901, lParam list index   a click on that entry of the room list
//   902, lParam column 1..3  a click on the room list's name, money kind or users head
// A message hook of the main thread takes these posts before the main window procedure
// would see them, so the hub's own code carries no trace of them.
#include <windows.h>

#include <cstdint>

#include "lobby/lobby_state.h"
#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "net/hub_handles_win.h"

namespace {

enum TestCode : WPARAM {
    TEST_ENTER_ROOM = 900,
    TEST_SELECT_ROOM_AT = 901,
    TEST_SORT_BY_COLUMN = 902,
};

bool RunTestCode(WPARAM code, LPARAM argument) {
    switch (code) {
        case TEST_ENTER_ROOM:
            SetSelectedRoomId(static_cast<std::int32_t>(argument));
            OpenRoomWindow();
            return true;
        case TEST_SELECT_ROOM_AT:
            SelectRoomAt(static_cast<std::size_t>(argument));
            return true;
        case TEST_SORT_BY_COLUMN:
            ToggleRoomSort(static_cast<int>(argument));
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK TakeTestCodes(int action, WPARAM removal, LPARAM lParam) {
    if (action == HC_ACTION && removal == PM_REMOVE) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (message->hwnd == mainWindow && mainWindow != nullptr &&
            message->message == TavloraIntMessage &&
            RunTestCode(message->wParam, message->lParam)) {
            message->message = WM_NULL;  // taken: the window procedure sees nothing
        }
    }
    return CallNextHookEx(nullptr, action, removal, lParam);
}

// Installed before the entry point runs, on the thread that will run the message loop.
const HHOOK testHook =
    SetWindowsHookExW(WH_GETMESSAGE, TakeTestCodes, nullptr, GetCurrentThreadId());

}  // namespace
