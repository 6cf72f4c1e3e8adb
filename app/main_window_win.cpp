// The main window: notifications from the threads and the siblings, painting, closing.
// winsock2.h must come before windows.h, which the window header brings.
#include <winsock2.h>

#include "app/main_window_win.h"

#include <mmsystem.h>

#include <climits>

#include "settings/config_files.h"
#include "net/hub_handles_win.h"
#include "app/config_snapshot.h"
#include "net/notification_codes.h"
#include "settings/paths.h"
#include "app/screen_win.h"
#include "session/session.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "lobby/sibling_reports.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "ui/main_paint_win.h"
#include "ui/registry_win.h"
#include "res/resource_ids.h"

namespace {

void OnNotification(int code, LPARAM lParam) {
    switch (code) {
        case NC_INBOUND:
            DispatchInbound();
            break;
        case NC_NO_CONNECTION:
        case NC_REFUSED:
        case NC_CONNECTED:
        case NC_CONNECTION_LOST:
        case NC_CHILD_VERSION_OBSOLETE:
        case NC_CHILD_SCREEN_TOO_SMALL:
            OnConnectionNotification(code, static_cast<std::uintptr_t>(lParam));
            break;
        case NC_ROOM_CLOSED:
        case NC_OPEN_TABLE:
        case NC_TABLE_CLOSED:
            OnSiblingReport(code, lParam, GetTickCount64());
            break;
        default:
            break;
    }
}

void OnClose() {
    disconnectAndReset();
    RECT place{};
    GetWindowRect(mainWindow, &place);
    WriteConfigIni(configIniPath, ComposeConfigIni(CollectConfigIniInput(place.left, place.top)));
    WSACleanup();
    DestroyWindow(mainWindow);
}

void OnDisplayChange() {
    const ScreenRect work = MainWorkArea();
    const OuterSize outer = MainWindowOuterSize(mainWindow);
    if (ScreenTooSmall(work, outer)) {
        GoOfflineAndReset();
        ShowWindow(mainWindow, SW_HIDE);
        ShowScreenTooSmall();
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return;
    }
    RECT place{};
    GetWindowRect(mainWindow, &place);
    ScreenPoint corner = ClampIntoWorkArea({place.left, place.top}, outer, work);
    MoveWindow(mainWindow, corner.x, corner.y, outer.width, outer.height, TRUE);
    ContactsPlace contacts = FitContacts(contactsRect, work);
    SetContactsRect(contacts);
    MoveWindow(WindowHandle(WinId::Contacts), contacts.left, contacts.top, contacts.width,
               contacts.height, TRUE);
}

}  // namespace

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TavloraIntMessage) {
        // A code beyond int is unknown, not its low half (0x100000007 is no lost connection).
        if (wParam <= static_cast<WPARAM>(INT_MAX))
            OnNotification(static_cast<int>(wParam), lParam);
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            // -1: CreateWindowExW fails, and start-up ends with its message.
            return CreateWindowRegistry(window) ? 0 : -1;
        case WM_PAINT:
            PaintMainWindow(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            return HTCAPTION;  // the whole frameless window drags
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            if (window != mainWindow) return 0;  // its creation failed: start-up ends it
            if (sound == 1)
                PlaySoundW(MAKEINTRESOURCEW(SOUND_GOODBYE), programInstance, SND_RESOURCE);
            PostQuitMessage(0);
            return 0;
        case WM_COPYDATA:
            if (const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam))
                OnSiblingCopyData(copy->dwData, copy->lpData, copy->cbData);
            return 0;
        case WM_TIMECHANGE:
            OnSystemTimeChanged();
            return 0;
        case WM_DISPLAYCHANGE:
            OnDisplayChange();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}
