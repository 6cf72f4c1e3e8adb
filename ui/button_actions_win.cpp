// Button actions: plain calls into the state machine or the window system, and the tab
// and settings page switches.
#include "ui/button_actions_win.h"

#include <windows.h>

#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "net/hub_handles_win.h"
#include "session/session.h"
#include "ui/contacts_window_win.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "ui/class_table.h"
#include "ui/language.h"
#include "ui/settings_dialog_actions_win.h"
#include "ui/settings_lines.h"
#include "ui/view_state.h"
#include "ui/registry_win.h"
#include "res/resource_ids.h"

namespace {

WinId Nth(WinId first, int n) {
    return static_cast<WinId>(static_cast<int>(first) + n);
}

void Show(WinId id, bool shown) {
    ShowWindow(WindowHandle(id), shown ? SW_SHOW : SW_HIDE);
}

void Repaint(WinId id) {
    InvalidateRect(WindowHandle(id), nullptr, FALSE);
}

void CloseModalDialog(WinId dialog) {
    EnableWindow(mainWindow, TRUE);
    ShowWindow(WindowHandle(dialog), SW_HIDE);
}

void SubmitFromLoginDialog() {
    SetFocus(WindowHandle(WinId::LoginOk));
    EnableWindow(mainWindow, TRUE);
    ShowWindow(WindowHandle(WinId::Login), SW_HIDE);
    SubmitLogin();
}

void PlayClick() {
    if (sound == 1) UiPlaySound(SOUND_CLICK);
}

void SetClassCursor(WinId id, bool current) {
    HCURSOR cursor = LoadCursorW(nullptr, current ? IDC_ARROW : IDC_HAND);
    SetClassLongPtrW(WindowHandle(id), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
}

}  // namespace

void SetChoiceCursors() {
    for (int n = 0; n < 3; ++n)
        SetClassCursor(Nth(WinId::RoomHead, n), mainTab == n + 1);
    for (int n = 0; n < 4; ++n) {
        SetClassCursor(Nth(WinId::SettingsPageButton1, n), settingsPage == n + 1);
    }
}

void SelectMainTab(int n) {
    if (n == mainTab || n < 1 || n > 3) return;
    SetMainTab(n);
    Repaint(WinId::Tabs);
    for (int k = 0; k < 3; ++k)
        Repaint(Nth(WinId::RoomHead, k));
    SetChoiceCursors();
    for (int k = 0; k < 3; ++k) {
        Show(Nth(WinId::RoomColumn1, k), n == 1);
        Show(Nth(WinId::TournamentColumn1, k), n == 2);
    }
    Show(WinId::RoomBody, n == 1);
    Show(WinId::TournamentBody, n == 2);
    Show(WinId::CashierBody, n == 3);
    Show(WinId::CashOut, n == 3);
    Show(WinId::Deposit, n == 3);
    // The other tabs' selections are dropped, and their enter buttons with them.
    if (n != 1) ClearRoomSelection();
    if (n != 2) ClearTournamentSelection();
}

void SelectSettingsPage(int n) {
    if (n == settingsPage || n < 1 || n > 4) return;
    SetSettingsPage(n);
    SetChoiceCursors();
    for (int line = 0; line < kSettingsLineCount; ++line) {
        bool shown = SettingsLineVisible(line, n, animate);
        Show(SettingsCaptionFrame(line), shown);
        Show(SettingsValueFrame(line), shown);
    }
    for (int k = 0; k < 4; ++k) {
        Repaint(Nth(WinId::SettingsPage1, k));
        Repaint(Nth(WinId::SettingsPageButton1, k));
    }
}

void RunButtonAction(int row) {
    const WindowClassRow& klass = kWindowClasses[row];
    switch (klass.action) {
        case Action::None:
            break;
        case Action::CloseProgram:
            PostMessageW(mainWindow, WM_CLOSE, 0, 0);
            break;
        case Action::MinimizeMain:
            ShowWindow(mainWindow, SW_MINIMIZE);
            break;
        case Action::ErrorOk:
            OnErrorOk();
            break;
        case Action::ErrorCancel:
            OnErrorCancel();
            break;
        case Action::Logoff:
            OnLogoff();
            break;
        case Action::LoginSubmit:
            SubmitFromLoginDialog();
            break;
        case Action::OpenSignup:
            UiOpenWebPage(WebPage::NewSignup, L"");
            break;
        case Action::OpenLostPassword:
            UiOpenWebPage(WebPage::LostPassword, L"");
            break;
        case Action::OpenCashier:
            UiOpenWebPage(WebPage::Cashier, L"");
            PlayClick();
            break;
        case Action::CloseAbout:
            CloseModalDialog(WinId::About);
            break;
        case Action::CloseSettings:
            CloseModalDialog(WinId::Settings);
            break;
        case Action::SortRoomList:
            ToggleRoomSort(row - ClassRowNamed(L"rbbutton1windowname") + 1);
            break;
        case Action::SortTournamentList:
            ToggleTournamentSort(row - ClassRowNamed(L"tbbutton1windowname") + 1);
            break;
        case Action::EnterRoom:
            PlayClick();
            OpenRoomWindow();
            break;
        case Action::EnterTournament:
            PlayClick();
            EnterTournament();
            break;
        case Action::StepSetting:
            StepSettingFromDialog(klass.param);
            break;
        case Action::ApplySettings:
            ApplySettingsDialog();
            break;
        case Action::CancelSettings:
            CancelSettingsDialog();
            break;
        case Action::CloseAddContact:
            SetWindowTextW(WindowHandle(WinId::ContactsAddEdit), L"");
            ShowWindow(WindowHandle(WinId::ContactsAdd), SW_HIDE);
            break;
        case Action::SubmitAddContact:
            SubmitAddContact();
            break;
        case Action::SelectTab:
            SelectMainTab(klass.param);
            break;
        case Action::SelectSettingsPage:
            SelectSettingsPage(klass.param);
            break;
        case Action::SetLanguage:
            SetLanguage(klass.param);
            break;
    }
}
