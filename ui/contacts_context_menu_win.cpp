// The contacts list's context menu: a pop-up with the contact's name and four rows, which
// holds the mouse until a click anywhere. Its text is also the window's text.
#include "ui/contacts_context_menu_win.h"

#include <windowsx.h>

#include "lobby/sibling_launch.h"
#include "net/hub_handles_win.h"
#include "ui/contacts_list.h"
#include "ui/contacts_window_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"

namespace {

constexpr COLORREF kHighlightBand = RGB(192, 220, 255);
constexpr int kContextMenuBitmap = 107;

HWND MenuWindow() {
    return WindowHandle(WinId::ContactsOptions);
}

int highlightedRow = 0;

const ContactRow* ContextContact() {
    const int row = ContactRowOf(contextContactId);
    return row >= 0 ? &contactRows[static_cast<std::size_t>(row)] : nullptr;
}

ContextMenuTexts CurrentMenuTexts() {
    const ContactRow* contact = ContextContact();
    return contact != nullptr ? ContextMenuTextsFor(*contact) : ContextMenuTexts{};
}

void SetMenuText(HWND menu) {
    const ContextMenuTexts texts = CurrentMenuTexts();
    const std::wstring text = texts.name + L"\n" + texts.privateMessage + L"\n" + texts.friends +
                              L"\n" + texts.ignore + L"\n" + texts.remove;
    SetWindowTextW(menu, text.c_str());
}

void CloseContextMenu(HWND menu) {
    SetContextContact(0);
    if (GetCapture() == menu) ReleaseCapture();
    ShowWindow(menu, SW_HIDE);
}

void PaintContextMenu(HWND menu) {
    Canvas canvas;
    BeginCanvas(menu, canvas);
    DrawResourceBitmap(canvas.dc, kContextMenuBitmap, 0, 0);
    if (highlightedRow != CONTEXT_NONE) {
        HBRUSH band = CreateSolidBrush(kHighlightBand);
        const int top = ContextMenuRowTop(highlightedRow);
        RECT line{0, top, canvas.width, top + kContextMenuRowHeight};
        FillRect(canvas.dc, &line, band);
        DeleteObject(band);
    }
    const ContextMenuTexts texts = CurrentMenuTexts();
    DrawTextAt(canvas.dc, texts.name, smallFont, kBlack, kContextMenuTextLeft, kContextMenuNameTop);
    const std::wstring* rows[] = {&texts.privateMessage, &texts.friends, &texts.ignore,
                                  &texts.remove};
    for (int row = CONTEXT_PRIVATE_MESSAGE; row <= CONTEXT_DELETE; ++row)
        DrawTextAt(canvas.dc, *rows[row - 1], smallFont, kBlack, kContextMenuTextLeft,
                   ContextMenuRowTop(row) + 1);
    EndCanvas(canvas);
}

void ClickContextMenu(HWND menu, int x, int y) {
    const ContactRow* contact = ContextContact();
    if (InsideContextMenu(x, y) && contact != nullptr) {
        const ContactRow chosen = *contact;
        if (ContextMenuClick(ContextMenuRowAt(y), chosen)) {
            CloseContextMenu(menu);
            OpenChatWindow(true, chosen.name, std::wstring());
            return;
        }
    }
    CloseContextMenu(menu);
}

}  // namespace

void OpenContextMenu(HWND list, int clientX, int clientY) {
    POINT pointer{clientX, clientY};
    ClientToScreen(list, &pointer);
    RECT frame{};
    GetWindowRect(WindowHandle(WinId::Contacts), &frame);
    const MenuPlace place =
        PlaceContextMenu(pointer.x, pointer.y, frame.left, frame.top, frame.right, frame.bottom);
    HWND menu = MenuWindow();
    highlightedRow = CONTEXT_NONE;
    SetMenuText(menu);
    SetWindowPos(menu, HWND_TOP, place.x, place.y, kContextMenuWidth, kContextMenuHeight,
                 SWP_SHOWWINDOW);
    SetFocus(menu);
    SetCapture(menu);
    InvalidateRect(menu, nullptr, FALSE);
}

LRESULT ContactsMenuProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintContextMenu(window);
            return 0;
        case WM_MOUSEMOVE: {
            const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
            const int row = x > 0 && x < 201 && y > 0 && y < 109 ? ContextMenuRowAt(y) : 0;
            if (row != highlightedRow) {
                highlightedRow = row;
                InvalidateRect(window, nullptr, FALSE);
            }
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ClickContextMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_KILLFOCUS:
            if (IsWindowVisible(window)) CloseContextMenu(window);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
