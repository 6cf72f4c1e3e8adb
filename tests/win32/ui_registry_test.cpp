// The window registry on real windows: what only the window system shows (menu check
// marks, focus, hit tests, cursors) and painting that leaks no GDI object.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_registration_win.h"
#include "ui/contacts_menu.h"
#include "ui/contacts_menu_win.h"
#include "ui/dialog_place_win.h"
#include "ui/language.h"
#include "ui/main_paint_win.h"
#include "ui/paint_win.h"
#include "ui/registry_table.h"
#include "ui/registry_win.h"

namespace {

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

class WindowRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        SetProgramInstance(GetModuleHandleW(nullptr));
        SetSetting(kLanguageKey, 1);
        SetSetting(kSoundKey, 0);
        SetSetting(kContactsOnTopKey, 1);
        RegisterWindowClasses(programInstance, MainWindowProcedure);
        SetMainWindow(CreateWindowExW(0, L"KXLobby0", L"Tavlora", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                                      640, 480, nullptr, nullptr, programInstance, nullptr));
        ShowWindow(mainWindow, SW_SHOW);
        PumpMessages();
    }

    static void TearDownTestSuite() {
        // Other tests stand in for the hub with a KXLobby0 of their own.
        DestroyWindow(WindowHandle(WinId::Contacts));
        DestroyWindow(mainWindow);
        PumpMessages();
        UnregisterClassW(L"KXLobby0", programInstance);
        SetMainWindow(nullptr);
    }
};

// The menu bar's check marks follow the options its items switch, and the foreground
// item the window's topmost state.
TEST_F(WindowRegistry, ContactsMenuChecksFollowTheirOptions) {
    HWND contacts = WindowHandle(WinId::Contacts);
    HMENU bar = GetMenu(contacts);
    ASSERT_NE(bar, nullptr);
    auto checked = [&](int command) {
        return (GetMenuState(bar, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    auto topmost = [&] { return (GetWindowLongW(contacts, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    struct Step {
        int command;
        bool hideIgnored, sortOnline, sortFriends, foreground;
    } steps[] = {
        {0, false, false, true, true},  // as saved: ignored shown, by relation, on top
        {CONTACTS_HIDE_IGNORED, true, false, true, true},
        {CONTACTS_SORT_ONLINE, true, true, false, true},
        {CONTACTS_FOREGROUND, true, true, false, false},
        {CONTACTS_SORT_FRIENDS, true, false, true, false},
    };
    SetSetting(kShowIgnoredKey, 1);
    SetSetting(kContactSortOrderKey, 1);
    RefreshContactsMenuChecks();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        if (step.command != 0)
            SendMessageW(contacts, WM_COMMAND, static_cast<WPARAM>(step.command), 0);
        // Each mark and the option or window state behind it.
        EXPECT_EQ(
            (std::vector<bool>{checked(CONTACTS_HIDE_IGNORED), showIgnored == 0,
                               checked(CONTACTS_SORT_ONLINE), checked(CONTACTS_SORT_FRIENDS),
                               contactSortOrder == 1, checked(CONTACTS_FOREGROUND), topmost()}),
            (std::vector<bool>{step.hideIgnored, step.hideIgnored, step.sortOnline,
                               step.sortFriends, step.sortFriends, step.foreground,
                               step.foreground}));
    }
}

// Painting keeps its canvas and the skin bitmaps it loads, and deletes whatever else a
// paint makes before it ends, so the count of its GDI objects stays flat after the first
// paints. Wine's GetGuiResources always says 0: the painting functions count for themselves.
TEST_F(WindowRegistry, PaintingLeavesNoObjectBehind) {
    // The logged-in lobby with every dialog over it: each family on screen at least once.
    ResetSession(true);
    showErrorState(ERROR_WRONG_LOGIN, LAYOUT_OK_CANCEL);
    // The enter-room button: its Polish label is drawn in a font made for each paint.
    const WinId panels[] = {WinId::Clock,      WinId::LogoffFrame, WinId::Tabs,
                            WinId::EnterRoom,  WinId::News,        WinId::HeadMenuBackground,
                            WinId::HeadOptions};
    for (WinId id : panels)
        ShowWindow(WindowHandle(id), SW_SHOWNA);
    for (WinId dialog : {WinId::Error, WinId::Login}) {
        SendMessageW(WindowHandle(dialog), TavloraIntMessage, NC_PREPARE_DIALOG, 1);
        ShowWindow(WindowHandle(dialog), SW_SHOWNA);
    }
    OpenModalDialog(WindowHandle(WinId::About), 145, 60, 290, 120);
    OpenModalDialog(WindowHandle(WinId::Settings), 77, 75, 155, 150);
    const HWND tops[] = {mainWindow, WindowHandle(WinId::Error), WindowHandle(WinId::Login),
                         WindowHandle(WinId::About), WindowHandle(WinId::Settings)};
    auto repaint = [](HWND top, UINT invalidate) {
        RedrawWindow(top, nullptr, nullptr, invalidate | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    auto outstanding = [] { return PaintCountsSoFar().created - PaintCountsSoFar().deleted; };
    // Every window once in every language: what painting keeps is made now.
    for (int language = 1; language <= 5; ++language) {
        SetLanguage(language);
        for (HWND top : tops)
            repaint(top, RDW_INVALIDATE);
    }
    SetLanguage(1);
    const long kept = outstanding();
    const PaintCounts start = PaintCountsSoFar();

    while (PaintCountsSoFar().paints - start.paints < 1000) {
        for (HWND top : tops)
            repaint(top, RDW_INVALIDATE);
    }
    EXPECT_EQ(outstanding(), kept);
    // Nothing kept is made again: only the odd clip region is made for one paint.
    const PaintCounts after = PaintCountsSoFar();
    EXPECT_LT(after.created - start.created, after.paints - start.paints);

    for (int i = 0; i < 100; ++i) {
        SetLanguage(i % 5 + 1);  // 5 shows English: an unknown language paints too
        repaint(mainWindow, 0);  // what the switch invalidated
    }
    for (HWND top : tops)
        repaint(top, 0);
    EXPECT_EQ(outstanding(), kept);

    SetLanguage(1);
    ResetSession(false);
    for (WinId id : panels)
        ShowWindow(WindowHandle(id), SW_HIDE);
    for (WinId dialog : {WinId::Error, WinId::About, WinId::Login, WinId::Settings})
        ShowWindow(WindowHandle(dialog), SW_HIDE);
    EnableWindow(mainWindow, TRUE);
    PumpMessages();
}

// The error dialog takes the keyboard on its OK button and is dragged by its body; Tab
// moves between the login fields; the chosen language's flag shows the arrow, the others
// the hand.
TEST_F(WindowRegistry, DialogFocusDragAndFlagCursors) {
    HWND error = WindowHandle(WinId::Error);
    SendMessageW(error, TavloraIntMessage, NC_PREPARE_DIALOG, 1);
    ShowWindow(error, SW_SHOW);
    SendMessageW(error, TavloraIntMessage, NC_FOCUS_DIALOG, 0);
    EXPECT_EQ(GetFocus(), WindowHandle(WinId::ErrorOk2));
    EXPECT_EQ(SendMessageW(error, WM_NCHITTEST, 0, MAKELPARAM(200, 200)), HTCAPTION);
    ShowWindow(error, SW_HIDE);
    HWND login = WindowHandle(WinId::Login);
    SendMessageW(login, TavloraIntMessage, NC_PREPARE_DIALOG, 0);
    ShowWindow(login, SW_SHOW);
    SendMessageW(login, TavloraIntMessage, NC_FOCUS_DIALOG, 0);
    HWND user = WindowHandle(WinId::LoginUserEdit);
    HWND password = WindowHandle(WinId::LoginPasswordEdit);
    EXPECT_EQ(GetFocus(), user);
    SendMessageW(user, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(GetFocus(), password);
    SendMessageW(password, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(GetFocus(), user);
    ShowWindow(login, SW_HIDE);
    SetLanguage(2);
    for (int n = 0; n < 4; ++n) {
        HWND flag = WindowHandle(static_cast<WinId>(static_cast<int>(WinId::LoginFlag1) + n));
        auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(flag, GCLP_HCURSOR));
        EXPECT_EQ(cursor, LoadCursorW(nullptr, n == 1 ? IDC_ARROW : IDC_HAND)) << n;
    }
    SetLanguage(1);
    PumpMessages();
}

}  // namespace
