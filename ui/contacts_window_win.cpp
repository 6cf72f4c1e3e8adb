// The contacts window's frame and list body. Every text drawn is also the window's text,
// so that tests read it from outside.
#include "ui/contacts_window_win.h"

#include <windowsx.h>

#include "lobby/sibling_launch.h"
#include "net/hub_handles_win.h"
#include "ui/contacts_list.h"
#include "net/notification_codes.h"
#include "session/ui_port.h"
#include "settings/settings.h"
#include "ui/class_table.h"
#include "ui/contacts_context_menu_win.h"
#include "ui/contacts_menu_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/list_scroll_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"
#include "ui/scroll_bar_picture_win.h"

namespace {

void FillPaleBlue(HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    RECT all{0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, paleBlueBrush);
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
        case WM_WINDOWPOSCHANGED:
            // Only the user moves a shown window; the start-up placement and a display
            // change set the remembered place themselves.
            if (IsWindowVisible(window)) {
                RECT outer{};
                GetWindowRect(window, &outer);
                UiKeepContactsPlace(outer.left, outer.top, outer.right - outer.left,
                                    outer.bottom - outer.top);
            }
            break;  // the default handling sends WM_SIZE and WM_MOVE
        case WM_SHOWWINDOW:
            // The option may have changed while the window was hidden.
            if (wParam)
                SetWindowPos(window, contactsOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case WM_CLOSE:
            // Registry windows are never destroyed: closing only hides.
            SetSetting(kContactsAtLoginKey, 0);
            ShowWindow(window, SW_HIDE);
            InvalidateRect(WindowHandle(WinId::HeadOptions), nullptr, FALSE);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

constexpr COLORREF kSelectedBlue = RGB(0, 128, 255);
constexpr int kIgnoredIcon = 106, kFirstPresenceIcon = 101;

HWND ListWindow() {
    return WindowHandle(WinId::ContactsList);
}

int ListPage(HWND list) {
    RECT client{};
    GetClientRect(list, &client);
    return ContactsPage(client.bottom);
}

void SetListRange(HWND list) {
    // An empty list keeps its scroll bar, disabled, as every list of the hub does.
    SetListRows(list, static_cast<int>(contactRows.size()), ListPage(list));
}

// One row's name per line, in display order.
void SetListText(HWND list) {
    std::wstring text;
    for (const ContactRow& row : contactRows) {
        text += row.name;
        text += L'\n';
    }
    SetWindowTextW(list, text.c_str());
}

void PaintList(HWND list) {
    Canvas canvas;
    BeginCanvas(list, canvas);
    RECT all{0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, paleBlueBrush);
    const int scroll = ListScrollPosition(list);
    const int page = ContactsPage(canvas.height);
    for (int r = scroll; r >= 0 && r <= scroll + page && r < static_cast<int>(contactRows.size());
         ++r) {
        const ContactRow& row = contactRows[static_cast<std::size_t>(r)];
        const int y = (r - scroll) * kContactRowHeight;
        if (row.contactId == selectedContactId) {
            HBRUSH band = CreateSolidBrush(kSelectedBlue);
            RECT line{0, y, canvas.width, y + kContactRowHeight};
            FillRect(canvas.dc, &line, band);
            DeleteObject(band);
        }
        const int icon = row.relation == 2 ? kIgnoredIcon : kFirstPresenceIcon + row.presence;
        DrawResourceBitmap(canvas.dc, icon, 10, y, 20, 20);
        // The client area ends at the scroll bar.
        DrawTextInColumn(canvas.dc, row.name, smallFont, kBlack,
                         {40, y, canvas.width, canvas.height});
    }
    EndCanvas(canvas);
}

// Selects the row under client y, or clears the selection; the row, or -1.
int SelectRowAt(HWND list, int y) {
    const int row = ContactRowAt(y, ListScrollPosition(list));
    SetSelectedContact(row >= 0 ? contactRows[static_cast<std::size_t>(row)].contactId : 0);
    InvalidateRect(list, nullptr, FALSE);
    return row;
}

// The list window follows the display list: range, text and paint.
void ShowContactRows() {
    HWND list = ListWindow();
    if (list == nullptr) return;
    SetListRange(list);
    SetListText(list);
    InvalidateRect(list, nullptr, FALSE);
}

}  // namespace

void RefreshContactsList() {
    RebuildContactRows();
    ShowContactRows();
}

void ClearContactsList() {
    ClearContactRows();
    ShowContactRows();
}

LRESULT ContactsListProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ScrollBarPictureMessage(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
        case WM_PAINT:
            PaintList(window);
            return 0;
        case WM_CREATE:
        case WM_SIZE:
            SetListRange(window);
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_VSCROLL:
            ScrollListByRequest(window, wParam, ListPage(window));
            return 0;
        case WM_LBUTTONDOWN:
            SelectRowAt(window, GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONDBLCLK: {
            const int row = ContactRowOf(selectedContactId);
            if (selectedContactId != 0 && row >= 0)
                OpenChatWindow(true, contactRows[static_cast<std::size_t>(row)].name,
                               std::wstring());
            return 0;
        }
        case WM_RBUTTONDOWN: {
            const int row = SelectRowAt(window, GET_Y_LPARAM(lParam));
            if (row < 0) return 0;
            SetContextContact(contactRows[static_cast<std::size_t>(row)].contactId);
            OpenContextMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
