// Button actions: plain calls into the state machine or the window system, and the tab
// and settings page switches.
#include "ui/button_actions_win.h"

#include <windows.h>

#include <iterator>
#include <utility>

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

namespace {

// What each action does with the released control's class row.
using ActionFn = void (*)(int row, const WindowClassRow& klass);

void Nothing(int, const WindowClassRow&) {}
void CloseProgram(int, const WindowClassRow&) {
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}
void MinimizeMain(int, const WindowClassRow&) {
    ShowWindow(mainWindow, SW_MINIMIZE);
}
void ErrorOk(int, const WindowClassRow&) {
    OnErrorOk();
}
void ErrorCancel(int, const WindowClassRow&) {
    OnErrorCancel();
}
void Logoff(int, const WindowClassRow&) {
    OnLogoff();
}
void LoginSubmit(int, const WindowClassRow&) {
    SubmitFromLoginDialog();
}
void OpenSignup(int, const WindowClassRow&) {
    UiOpenWebPage(WebPage::NewSignup, L"");
}
void OpenLostPassword(int, const WindowClassRow&) {
    UiOpenWebPage(WebPage::LostPassword, L"");
}
void OpenCashier(int, const WindowClassRow&) {
    UiOpenWebPage(WebPage::Cashier, L"");
    PlayClick();
}
void CloseAbout(int, const WindowClassRow&) {
    CloseModalDialog(WinId::About);
}
void CloseSettings(int, const WindowClassRow&) {
    CloseModalDialog(WinId::Settings);
}
void CloseAddContact(int, const WindowClassRow&) {
    SetWindowTextW(WindowHandle(WinId::ContactsAddEdit), L"");
    ShowWindow(WindowHandle(WinId::ContactsAdd), SW_HIDE);
}
void AddContact(int, const WindowClassRow&) {
    SubmitAddContact();
}
void SelectTab(int, const WindowClassRow& klass) {
    SelectMainTab(klass.param);
}
void SelectPage(int, const WindowClassRow& klass) {
    SelectSettingsPage(klass.param);
}
void ChooseLanguage(int, const WindowClassRow& klass) {
    SetLanguage(klass.param);
}
void StepSetting(int, const WindowClassRow& klass) {
    StepSettingFromDialog(klass.param);
}
void SortRoomColumn(int row, const WindowClassRow&) {
    ToggleRoomSort(row - ClassRowNamed(L"rbbutton1windowname") + 1);
}
void SortTournamentColumn(int row, const WindowClassRow&) {
    ToggleTournamentSort(row - ClassRowNamed(L"tbbutton1windowname") + 1);
}
void EnterSelectedRoom(int, const WindowClassRow&) {
    PlayClick();
    OpenRoomWindow();
}
void EnterSelectedTournament(int, const WindowClassRow&) {
    PlayClick();
    EnterTournament();
}
void ApplySettings(int, const WindowClassRow&) {
    ApplySettingsDialog();
}
void CancelSettings(int, const WindowClassRow&) {
    CancelSettingsDialog();
}

// One row per action, in the order of the enumeration.
constexpr std::pair<Action, ActionFn> kActions[] = {
    {Action::None, Nothing},
    {Action::CloseProgram, CloseProgram},
    {Action::MinimizeMain, MinimizeMain},
    {Action::ErrorOk, ErrorOk},
    {Action::ErrorCancel, ErrorCancel},
    {Action::Logoff, Logoff},
    {Action::LoginSubmit, LoginSubmit},
    {Action::OpenSignup, OpenSignup},
    {Action::OpenLostPassword, OpenLostPassword},
    {Action::OpenCashier, OpenCashier},
    {Action::CloseAbout, CloseAbout},
    {Action::CloseSettings, CloseSettings},
    {Action::CloseAddContact, CloseAddContact},
    {Action::SubmitAddContact, AddContact},
    {Action::SelectTab, SelectTab},
    {Action::SelectSettingsPage, SelectPage},
    {Action::SetLanguage, ChooseLanguage},
    {Action::StepSetting, StepSetting},
    {Action::SortRoomList, SortRoomColumn},
    {Action::SortTournamentList, SortTournamentColumn},
    {Action::EnterRoom, EnterSelectedRoom},
    {Action::EnterTournament, EnterSelectedTournament},
    {Action::ApplySettings, ApplySettings},
    {Action::CancelSettings, CancelSettings},
};

constexpr bool InEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(kActions); ++i)
        if (static_cast<std::size_t>(kActions[i].first) != i) return false;
    return std::size(kActions) == static_cast<std::size_t>(Action::CancelSettings) + 1;
}
static_assert(InEnumerationOrder(), "one row per action, in the enumeration's order");

}  // namespace

void RunButtonAction(int row) {
    const WindowClassRow& klass = kWindowClasses[row];
    kActions[static_cast<std::size_t>(klass.action)].second(row, klass);
}
