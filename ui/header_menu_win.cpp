// The header menu bar's window procedure and the actions of its panels' rows.
#include <windows.h>

#include <vector>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "res/resource_ids.h"
#include "session/account.h"
#include "session/ui_port.h"
#include "settings/settings.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/header_menu.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"
#include "ui/texts.h"

namespace {

constexpr int kCellWidth = 125;
constexpr int kCellHeight = 20;

int menuState = kMenuIdle;  // header menu state, 0..8

WinId PanelOf(int column) {
    return static_cast<WinId>(static_cast<int>(WinId::HeadFile) + column - 1);
}

constexpr TextId kTitles[kMenuTitles] = {TextId::HeaderFile, TextId::HeaderOptions,
                                         TextId::HeaderWebsite, TextId::HeaderHelp};

void PaintHeaderMenuBar(HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    DrawResourceBitmap(canvas.dc, BITMAP_MENU_PANEL, 0, 0, canvas.width, canvas.height);
    for (int n = 1; n <= kMenuTitles; ++n) {
        const int left = 2 + 129 * (n - 1);
        if (menuState == n || menuState == n + 4) {
            const int image =
                menuState == n ? BITMAP_MENU_ROW_HIGHLIGHT : BITMAP_MENU_TITLE_PRESSED;
            DrawResourceBitmap(canvas.dc, image, left, 3, kCellWidth, kCellHeight);
        }
        DrawCentredText(canvas.dc, Text(kTitles[n - 1]), textFont, kWhite,
                        {left, 3, left + kCellWidth, 3 + kCellHeight});
    }
    EndCanvas(canvas);
}

// The rows that only open a web page.
constexpr struct {
    MenuAction action;
    WebPage page;
} kPageRows[] = {{MenuAction::Homepage, WebPage::Product},
                 {MenuAction::MyAccount, WebPage::UserEditor},
                 {MenuAction::Cashier, WebPage::Cashier},
                 {MenuAction::Faq, WebPage::Faq}};

void RunMenuAction(MenuAction action) {
    if (action == MenuAction::None) return;
    if (action == MenuAction::Exit) {
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return;
    }
    if (sound == 1) UiPlaySound(SOUND_CLICK);
    for (const auto& row : kPageRows)
        if (row.action == action) UiOpenWebPage(row.page, L"");
    switch (action) {
        case MenuAction::Administration:
            if (administratorFlag == 1) UiOpenWebPage(WebPage::Administrators, L"");
            break;
        case MenuAction::Settings:
            OpenModalDialog(WindowHandle(WinId::Settings), 77, 75, 155, 150);
            break;
        case MenuAction::ToggleContacts:
            SetSetting(kContactsAtLoginKey, contactsAtLogin == 0 ? 1 : 0);
            ShowWindow(WindowHandle(WinId::Contacts), contactsAtLogin ? SW_SHOW : SW_HIDE);
            InvalidateRect(WindowHandle(WinId::HeadOptions), nullptr, FALSE);
            break;
        case MenuAction::About:
            OpenModalDialog(WindowHandle(WinId::About), 145, 60, 290, 120);
            break;
        default:  // the page rows above, None and Exit
            break;
    }
}

void ApplyChange(HWND bar, const MenuChange& change) {
    const bool stateChanged = change.state != menuState;
    menuState = change.state;
    if (change.takeCapture) SetCapture(bar);
    if (change.panelsChange) {
        for (int column = 1; column <= kMenuTitles; ++column) {
            HWND panel = WindowHandle(PanelOf(column));
            const bool shown = column == change.shownPanel;
            SendMessageW(panel, TavloraIntMessage, NC_HIGHLIGHT_ROW,
                         shown ? change.highlightRow : 0);
            ShowWindow(panel, shown ? SW_SHOW : SW_HIDE);
        }
    }
    if (stateChanged || change.panelsChange) InvalidateRect(bar, nullptr, FALSE);
    // Releasing the capture comes back here as WM_CAPTURECHANGED, with the state at 0.
    if (change.releaseCapture && GetCapture() == bar) ReleaseCapture();
    RunMenuAction(change.action);
}

// Client coordinates of a mouse message, signed: a captured pointer may be left of or
// above the bar.
int PointerX(LPARAM lParam) {
    return static_cast<short>(LOWORD(lParam));
}
int PointerY(LPARAM lParam) {
    return static_cast<short>(HIWORD(lParam));
}

}  // namespace

std::wstring HeaderMenuBarText() {
    std::vector<std::wstring> titles;
    for (TextId title : kTitles)
        titles.push_back(Text(title));
    return JoinTexts(titles);
}

LRESULT HeaderMenuBarProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool captured = GetCapture() == window;
    switch (message) {
        case WM_PAINT:
            PaintHeaderMenuBar(window);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const auto step = message == WM_LBUTTONDOWN ? MenuButtonDown
                              : message == WM_MOUSEMOVE ? MenuPointerMove
                                                        : MenuButtonUp;
            ApplyChange(window, step(menuState, captured, PointerX(lParam), PointerY(lParam)));
            return 0;
        }
        case WM_WINDOWPOSCHANGING:
            if (captured) ApplyChange(window, MenuClose());
            break;
        case WM_CAPTURECHANGED:
            // However the capture ends, the menu closes with it.
            if (menuState != kMenuIdle) {
                MenuChange close = MenuClose();
                close.releaseCapture = false;
                ApplyChange(window, close);
            }
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
