// The contacts window's frame, list body and add-contact dialog, as far as they are
// drawn now: the frame keeps its status bar and list sized and hides itself on close.
#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "settings/settings.h"
#include "ui/class_table.h"
#include "ui/contacts_menu_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"

namespace {

void FillPaleBlue(HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    RECT all{0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, PaleBlueBrush());
    EndCanvas(canvas);
}

// The list takes the client area above the status bar.
void LayOutContacts(HWND frame) {
    HWND statusBar = WindowHandle(WinId::ContactsStatusBar);
    HWND list = WindowHandle(WinId::ContactsList);
    if (statusBar == nullptr || list == nullptr) return;  // still being created
    SendMessageW(statusBar, WM_SIZE, 0, 0);
    RECT client, bar;
    GetClientRect(frame, &client);
    GetWindowRect(statusBar, &bar);
    int height = client.bottom - (bar.bottom - bar.top);
    MoveWindow(list, 0, 0, client.right, height > 0 ? height : 0, TRUE);
}

}  // namespace

LRESULT ContactsFrameProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetMenu(window, BuildContactsMenuBar());
            return 0;
        case WM_COMMAND:
            if (RunContactsCommand(window, LOWORD(wParam))) return 0;
            break;
        case WM_PAINT:
            FillPaleBlue(window);
            return 0;
        case WM_SIZE:
            LayOutContacts(window);
            return 0;
        case WM_CLOSE:
            // Registry windows are never destroyed: closing only hides.
            contactsAtLogin = 0;
            ShowWindow(window, SW_HIDE);
            InvalidateRect(WindowHandle(WinId::HeadOptions), nullptr, FALSE);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ContactsListProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        FillPaleBlue(window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK AddContactEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(PreviousEditProcedure(WinId::ContactsAddEdit), edit, message, wParam,
                           lParam);
}
