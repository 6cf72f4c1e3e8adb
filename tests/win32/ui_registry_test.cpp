// The window registry on real windows: every window with its class, parent, visibility
// and place; the edits; the press/capture protocol of real buttons; the dialogs' codes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_registration_win.h"
#include "ui/language.h"
#include "ui/registry_win.h"

namespace {

int closeRequests = 0;

LRESULT CALLBACK TestMainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateWindowRegistry(window);
            return 0;
        case WM_CLOSE:
            ++closeRequests;  // recorded, the test window stays
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string Narrow(const std::wstring& wide) {
    return std::string(wide.begin(), wide.end());
}

HWND Handle(WinId id) {
    return WindowHandle(id);
}

WinId Nth(WinId first, int n) {
    return static_cast<WinId>(static_cast<int>(first) + n);
}

enum Kind { Child, Popup, TopLevel };

struct Expected {
    WinId id;
    std::wstring className;
    WinId parent;
    Kind kind;
    bool visible;
    bool placed;  // false: placed when shown, or sized by its window
    int x, y, width, height;
};

// The registry as the program's layout defines it, written out here on its own.
std::vector<Expected> ExpectedRegistry() {
    using W = WinId;
    std::vector<Expected> e = {
        {W::CloseButton, L"closebuttonwindowname", W::Main, Child, true, true, 594, 5, 41, 20},
        {W::MinimizeButton, L"minimizebuttonwindowname", W::Main, Child, true, true, 567, 5, 26,
         20},
        {W::Connect, L"connectwindowname", W::Main, Child, true, true, 120, 230, 420, 40},
        {W::StatusLine, L"statuslinewindowname", W::Main, Child, true, true, 15, 445, 280, 34},
        {W::Error, L"errorwindowname", W::Main, Popup, false, false, 0, 0, 0, 0},
        {W::ErrorOk, L"errorokwindowname", W::Error, Child, true, false, 0, 0, 0, 0},
        {W::ErrorCancel, L"errorcancelwindowname", W::Error, Child, true, false, 0, 0, 0, 0},
        {W::ErrorOk2, L"errorok2windowname", W::ErrorOk, Child, true, true, 0, 0, 100, 20},
        {W::ErrorCancel2, L"errorcancel2windowname", W::ErrorCancel, Child, true, true, 0, 0, 100,
         20},
        {W::ErrorClose, L"errorclosewindowname", W::Error, Child, true, true, 314, 5, 41, 20},
        {W::Login, L"loginwindowname", W::Main, Popup, false, false, 0, 0, 0, 0},
        {W::LoginFlag1, L"loginflag1windowname", W::Login, Child, true, true, 10, 30, 100, 75},
        {W::LoginFlag2, L"loginflag2windowname", W::Login, Child, true, true, 120, 30, 100, 75},
        {W::LoginFlag3, L"loginflag3windowname", W::Login, Child, true, true, 230, 30, 100, 75},
        {W::LoginFlag4, L"loginflag4windowname", W::Login, Child, true, true, 340, 30, 100, 75},
        {W::LoginLostPassword, L"loginlostpasswindowname", W::Login, Child, true, true, 15, 233,
         180, 20},
        {W::LoginNewSignup, L"loginnewsignupwindowname", W::Login, Child, true, true, 15, 201, 180,
         20},
        {W::LoginUserEdit, L"Edit", W::Login, Child, true, true, 241, 117, 168, 17},
        {W::LoginPasswordEdit, L"Edit", W::Login, Child, true, true, 241, 149, 168, 17},
        {W::LoginOk, L"loginokwindowname", W::Login, Child, true, true, 215, 216, 100, 24},
        {W::LoginCancel, L"logincancelwindowname", W::Login, Child, true, true, 335, 216, 100, 24},
        {W::LoginClose, L"loginclosewindowname", W::Login, Child, true, true, 404, 5, 41, 20},
        {W::Clock, L"uhrzeitwindowname", W::Main, Child, false, true, 520, 40, 120, 38},
        {W::LogoffFrame, L"logoffbuttonwindowname", W::Main, Child, false, true, 525, 445, 114, 33},
        {W::LogoffButton, L"logoffbuttonwindow2name", W::LogoffFrame, Child, true, true, 0, 0, 100,
         20},
        {W::Tabs, L"tabswindowname", W::Main, Child, false, true, 15, 120, 448, 310},
        {W::RoomHead, L"roomheadwindowname", W::Tabs, Child, true, true, 9, 10, 142, 30},
        {W::TournamentHead, L"tournyheadwindowname", W::Tabs, Child, true, true, 153, 10, 142, 30},
        {W::CashierHead, L"cashierheadwindowname", W::Tabs, Child, true, true, 297, 10, 142, 30},
        {W::News, L"newswindowname", W::Main, Child, false, true, 485, 135, 140, 250},
        {W::HeadMenuBackground, L"headmenubgwindowname", W::Main, Child, false, true, 5, 75, 530,
         40},
        {W::HeadMenu, L"headmenuwindowname", W::HeadMenuBackground, Child, true, true, 0, 0, 530,
         23},
        {W::HeadFile, L"headfilewindowname", W::Main, Child, false, true, 7, 98, 125, 20},
        {W::HeadOptions, L"headoptionswindowname", W::Main, Child, false, true, 136, 98, 125, 40},
        {W::HeadWebsite, L"headwebsitewindowname", W::Main, Child, false, true, 265, 98, 125, 60},
        {W::HeadHelp, L"headhelpwindowname", W::Main, Child, false, true, 394, 98, 125, 40},
        {W::About, L"aboutwindowname", W::Main, Popup, false, false, 0, 0, 0, 0},
        {W::AboutOk, L"aboutokwindowname", W::About, Child, true, true, 125, 321, 100, 20},
        {W::AboutClose, L"aboutclosewindowname", W::About, Child, true, true, 304, 5, 41, 20},
        {W::Settings, L"settingswindowname", W::Main, Popup, false, false, 0, 0, 0, 0},
        {W::SettingsCancel, L"settingscancelbuttonwindowname", W::Settings, Child, true, true, 310,
         295, 100, 20},
        {W::SettingsApply, L"settingsapplybuttonwindowname", W::Settings, Child, true, true, 75,
         295, 100, 20},
        {W::SettingsClose, L"settingsclosewindowname", W::Settings, Child, true, true, 439, 5, 41,
         20},
        {W::CashOut, L"cbcashoutwindowname", W::Tabs, Child, false, true, 83, 275, 100, 20},
        {W::Deposit, L"cbdepositwindowname", W::Tabs, Child, false, true, 266, 275, 100, 20},
        {W::RoomBody, L"roombodywindowname", W::Tabs, Child, true, true, 9, 64, 430, 209},
        {W::TournamentBody, L"tournybodywindowname", W::Tabs, Child, false, true, 9, 64, 430, 209},
        {W::CashierBody, L"cashierbodywindowname", W::Tabs, Child, false, true, 9, 64, 430, 209},
        {W::ResetPlayMoney, L"resetplaywindowname", W::CashierBody, Child, false, true, 297, 39,
         100, 20},
        {W::EnterRoom, L"enterroombuttonwindowname", W::Tabs, Child, false, true, 174, 275, 100,
         20},
        {W::EnterTournament, L"entertournyroombuttonwindowname", W::Tabs, Child, false, true, 174,
         275, 100, 20},
        {W::Contacts, L"contactswindowname", W::Count, TopLevel, false, false, 0, 0, 0, 0},
        {W::ContactsStatusBar, L"msctls_statusbar32", W::Contacts, Child, true, false, 0, 0, 0, 0},
        {W::ContactsList, L"contactslistwindowname", W::Contacts, Child, true, false, 0, 0, 0, 0},
        {W::ContactsOptions, L"contactsoptionswindowname", W::Contacts, Popup, false, false, 0, 0,
         0, 0},
        {W::ContactsAdd, L"contactsaddwindowname", W::Contacts, Popup, false, false, 0, 0, 0, 0},
        {W::ContactsAddEdit, L"Edit", W::ContactsAdd, Child, true, true, 45, 45, 150, 21},
        {W::ContactsAddCancel, L"contactsaddcancelwindowname", W::ContactsAdd, Child, true, true,
         125, 85, 115, 35},
        {W::ContactsAddAdd, L"contactsaddaddwindowname", W::ContactsAdd, Child, true, true, 10, 85,
         115, 35},
    };
    const wchar_t* pageNames[] = {L"settingshead1windowname", L"settingshead2windowname",
                                  L"settingshead3windowname", L"settingshead4windowname"};
    const wchar_t* pageButtons[] = {
        L"settingshead1buttonwindowname", L"settingshead2buttonwindowname",
        L"settingshead3buttonwindowname", L"settingshead4buttonwindowname"};
    for (int n = 0; n < 4; ++n) {
        int x[] = {1, 122, 243, 364};
        e.push_back({Nth(W::SettingsPage1, n), pageNames[n], W::Settings, Child, true, true, x[n],
                     30, 120, 45});
        e.push_back({Nth(W::SettingsPageButton1, n), pageButtons[n], Nth(W::SettingsPage1, n),
                     Child, true, true, 10, 8, 100, 20});
    }
    const wchar_t* roomHeads[] = {L"rbbutton1windowname", L"rbbutton2windowname",
                                  L"rbbutton3windowname"};
    const wchar_t* tournamentHeads[] = {L"tbbutton1windowname", L"tbbutton2windowname",
                                        L"tbbutton3windowname"};
    for (int n = 0; n < 3; ++n) {
        int x[] = {9, 153, 297};
        e.push_back(
            {Nth(W::RoomColumn1, n), roomHeads[n], W::Tabs, Child, true, true, x[n], 44, 142, 18});
        e.push_back({Nth(W::TournamentColumn1, n), tournamentHeads[n], W::Tabs, Child, false, true,
                     x[n], 44, 142, 18});
    }
    // Settings lines in four runs (Window, Colors, Table, Room pages), rows 32 apart from
    // y 101; the dialog opens on the Colors page, so only its lines are visible.
    const struct {
        const wchar_t* stems[6];
        bool visible;
    } pages[] = {
        {{L"foreground", L"sound", L"autodelay", L"tablesize", L"save"}, false},
        {{L"skin", L"whitechk", L"blackchk", L"whitedice", L"blackdice", L"cube"}, true},
        {{L"skiproll", L"skipmove", L"forcedmove", L"autobearoff", L"animate", L"animatespeed"},
         false},
        {{L"timestamp", L"enterexit", L"font"}, false},
    };
    int line = 0;
    for (const auto& page : pages) {
        for (int row = 0; row < 6 && page.stems[row] != nullptr; ++row, ++line) {
            std::wstring stem = page.stems[row];
            int y = 101 + 32 * row;
            e.push_back({SettingsCaptionFrame(line), stem + L"ueberschriftwindowname", W::Settings,
                         Child, page.visible, true, 15, y, 355, 32});
            e.push_back({SettingsValueFrame(line), stem + L"inputwindowname", W::Settings, Child,
                         page.visible, true, 370, y, 115, 32});
            e.push_back({SettingsCaptionButton(line), stem + L"ueberschrift2windowname",
                         SettingsCaptionFrame(line), Child, true, true, 0, 0, 340, 20});
            e.push_back({SettingsValueButton(line), stem + L"input2windowname",
                         SettingsValueFrame(line), Child, true, true, 0, 0, 100, 20});
        }
    }
    return e;
}

class WindowRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        SetProgramInstance(GetModuleHandleW(nullptr));
        language = 1;
        sound = 0;
        contactsOnTop = 1;
        loginUserName = L"alice";
        loginPassword = L"secret";
        RegisterWindowClasses(programInstance, TestMainProcedure);
        SetMainWindow(CreateWindowExW(0, L"KXLobby0", L"Tavlora", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                                      640, 480, nullptr, nullptr, programInstance, nullptr));
        ShowWindow(mainWindow, SW_SHOW);
        PumpMessages();
    }

    static void TearDownTestSuite() {
        // Other tests stand in for the hub with a KXLobby0 of their own.
        DestroyWindow(Handle(WinId::Contacts));
        DestroyWindow(mainWindow);
        PumpMessages();
        UnregisterClassW(L"KXLobby0", programInstance);
        SetMainWindow(nullptr);
    }
};

TEST_F(WindowRegistry, EveryWindowHasItsClassParentVisibilityAndPlace) {
    std::vector<Expected> expected = ExpectedRegistry();
    EXPECT_EQ(expected.size(), static_cast<std::size_t>(kWindowCount - 1));
    for (const Expected& e : expected) {
        SCOPED_TRACE(Narrow(e.className));
        HWND window = Handle(e.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(Narrow(ClassOf(window)), Narrow(e.className));
        LONG style = GetWindowLongW(window, GWL_STYLE);
        EXPECT_EQ((style & WS_VISIBLE) != 0, e.visible);
        HWND parent = GetAncestor(window, GA_PARENT);
        HWND owner = GetWindow(window, GW_OWNER);
        switch (e.kind) {
            case Child:
                EXPECT_TRUE(style & WS_CHILD);
                EXPECT_EQ(parent, Handle(e.parent));
                break;
            case Popup:
                EXPECT_TRUE(style & WS_POPUP);
                EXPECT_EQ(parent, GetDesktopWindow());
                EXPECT_EQ(owner, Handle(e.parent));
                break;
            case TopLevel:
                EXPECT_EQ(parent, GetDesktopWindow());
                EXPECT_EQ(owner, nullptr);
                break;
        }
        if (!e.placed) continue;
        RECT rect;
        GetWindowRect(window, &rect);
        MapWindowPoints(HWND_DESKTOP, Handle(e.parent), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, e.x);
        EXPECT_EQ(rect.top, e.y);
        EXPECT_EQ(rect.right - rect.left, e.width);
        EXPECT_EQ(rect.bottom - rect.top, e.height);
    }
}

TEST_F(WindowRegistry, WindowStylesOfTheTopGroup) {
    HWND contacts = Handle(WinId::Contacts);
    LONG style = GetWindowLongW(contacts, GWL_STYLE);
    for (LONG bit :
         {WS_CAPTION, WS_SYSMENU, WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_CLIPCHILDREN}) {
        EXPECT_EQ(style & bit, bit);
    }
    EXPECT_TRUE(GetWindowLongW(contacts, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(Handle(WinId::Error), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(Handle(WinId::Login), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongW(Handle(WinId::RoomBody), GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(GetWindowLongW(Handle(WinId::CashierBody), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_TRUE(GetWindowLongW(Handle(WinId::ContactsStatusBar), GWL_STYLE) & SBARS_SIZEGRIP);
    wchar_t title[32] = {};
    GetWindowTextW(contacts, title, 32);
    EXPECT_STREQ(title, L"Contacts");
}

TEST_F(WindowRegistry, EditsHoldFifteenCharactersAndTheRememberedLogin) {
    struct {
        WinId id;
        const wchar_t* text;
        bool password;
    } edits[] = {{WinId::LoginUserEdit, L"alice", false},
                 {WinId::LoginPasswordEdit, L"secret", true},
                 {WinId::ContactsAddEdit, L"", false}};
    for (const auto& e : edits) {
        SCOPED_TRACE(static_cast<int>(e.id));
        HWND edit = Handle(e.id);
        wchar_t text[32] = {};
        GetWindowTextW(edit, text, 32);
        EXPECT_STREQ(text, e.text);
        EXPECT_EQ((GetWindowLongW(edit, GWL_STYLE) & ES_PASSWORD) != 0, e.password);
        EXPECT_TRUE(GetWindowLongW(edit, GWL_STYLE) & ES_AUTOHSCROLL);
        EXPECT_NE(SendMessageW(edit, WM_GETFONT, 0, 0), 0);
        // Typed characters go through the subclass and stop at the limit.
        SetWindowTextW(edit, L"");
        for (int i = 0; i < 20; ++i)
            SendMessageW(edit, WM_CHAR, L'a' + i, 1);
        EXPECT_EQ(GetWindowTextLengthW(edit), 15);
        SetWindowTextW(edit, e.text);
    }
}

struct Gesture {
    const char* note;
    std::vector<std::pair<UINT, POINT>> messages;
    int closes;
};

TEST_F(WindowRegistry, ButtonsActOnlyOnAReleaseThatKeepsThePress) {
    ShowWindow(Handle(WinId::Login), SW_SHOW);
    const UINT down = WM_LBUTTONDOWN, move = WM_MOUSEMOVE, up = WM_LBUTTONUP;
    // The login "Cancel" (100 x 24, hit height 25) and the main close button (41 x 20)
    // both post WM_CLOSE to the main window.
    const struct {
        WinId button;
        Gesture gesture;
    } cases[] = {
        {WinId::LoginCancel, {"click", {{down, {5, 5}}, {up, {5, 5}}}, 1}},
        {WinId::LoginCancel,
         {"release on the hit box edge", {{down, {5, 5}}, {move, {100, 25}}, {up, {100, 25}}}, 1}},
        {WinId::LoginCancel,
         {"release one pixel below", {{down, {5, 5}}, {move, {100, 26}}, {up, {100, 26}}}, 0}},
        {WinId::LoginCancel,
         {"drag out and back in",
          {{down, {5, 5}}, {move, {150, 5}}, {move, {5, 5}}, {up, {5, 5}}},
          0}},
        {WinId::LoginCancel, {"release without press", {{up, {5, 5}}}, 0}},
        {WinId::CloseButton,
         {"release at x 41", {{down, {1, 1}}, {move, {41, 20}}, {up, {41, 20}}}, 1}},
        {WinId::CloseButton,
         {"left of the button", {{down, {1, 1}}, {move, {-1, 5}}, {up, {5, 5}}}, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gesture.note);
        HWND button = Handle(c.button);
        closeRequests = 0;
        for (const auto& [message, point] : c.gesture.messages) {
            SendMessageW(button, message, message == up ? 0 : MK_LBUTTON,
                         MAKELPARAM(point.x, point.y));
            if (message == down) {
                EXPECT_EQ(GetCapture(), button);
            }
        }
        EXPECT_EQ(GetCapture(), nullptr);
        PumpMessages();
        EXPECT_EQ(closeRequests, c.gesture.closes);
    }
    ShowWindow(Handle(WinId::Login), SW_HIDE);
}

TEST_F(WindowRegistry, MovingAPressedButtonCancelsThePress) {
    HWND button = Handle(WinId::CloseButton);
    closeRequests = 0;
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SetWindowPos(button, nullptr, 590, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    PumpMessages();
    EXPECT_EQ(closeRequests, 0);
    SetWindowPos(button, nullptr, 594, 5, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

TEST_F(WindowRegistry, LanguageFlagActsOnButtonDown) {
    HWND flags[4];
    for (int n = 0; n < 4; ++n)
        flags[n] = Handle(Nth(WinId::LoginFlag1, n));
    HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
    HCURSOR hand = LoadCursorW(nullptr, IDC_HAND);
    SendMessageW(flags[1], WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(language, 2);
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(n);
        auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrW(flags[n], GCLP_HCURSOR));
        EXPECT_EQ(cursor, n == 1 ? arrow : hand);
    }
    wchar_t title[32] = {};
    GetWindowTextW(Handle(WinId::Contacts), title, 32);
    EXPECT_STREQ(title, L"Kontakte");
    SendMessageW(flags[1], WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SetLanguage(1);
    PumpMessages();
}

TEST_F(WindowRegistry, ErrorDialogLayouts) {
    HWND error = Handle(WinId::Error);
    const struct {
        LPARAM layout;
        int okLeft;
        bool cancelShown;
    } cases[] = {{2, 130, false}, {1, 51, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        SendMessageW(error, TavloraIntMessage, NC_PREPARE_DIALOG, c.layout);
        RECT dialog, ok;
        GetWindowRect(error, &dialog);
        GetWindowRect(Handle(WinId::ErrorOk), &ok);
        EXPECT_EQ(dialog.left, 140);
        EXPECT_EQ(dialog.top, 120);
        EXPECT_EQ(dialog.right - dialog.left, 360);
        EXPECT_EQ(dialog.bottom - dialog.top, 240);
        EXPECT_EQ(ok.left - dialog.left, c.okLeft);
        EXPECT_EQ(ok.top - dialog.top, 199);
        EXPECT_EQ((GetWindowLongW(Handle(WinId::ErrorCancel), GWL_STYLE) & WS_VISIBLE) != 0,
                  c.cancelShown);
    }
    ShowWindow(error, SW_SHOW);
    SendMessageW(error, TavloraIntMessage, NC_FOCUS_DIALOG, 0);
    EXPECT_EQ(GetFocus(), Handle(WinId::ErrorOk2));
    EXPECT_EQ(SendMessageW(error, WM_NCHITTEST, 0, MAKELPARAM(200, 200)), HTCAPTION);
    ShowWindow(error, SW_HIDE);
}

TEST_F(WindowRegistry, LoginDialogPlacementAndKeys) {
    HWND login = Handle(WinId::Login);
    SendMessageW(login, TavloraIntMessage, NC_PREPARE_DIALOG, 0);
    RECT rect;
    GetWindowRect(login, &rect);
    EXPECT_EQ(rect.left, 95);
    EXPECT_EQ(rect.top, 105);
    EXPECT_EQ(rect.right - rect.left, 450);
    EXPECT_EQ(rect.bottom - rect.top, 270);
    ShowWindow(login, SW_SHOW);
    SendMessageW(login, TavloraIntMessage, NC_FOCUS_DIALOG, 0);
    HWND user = Handle(WinId::LoginUserEdit);
    HWND password = Handle(WinId::LoginPasswordEdit);
    EXPECT_EQ(GetFocus(), user);
    SendMessageW(user, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(GetFocus(), password);
    SendMessageW(password, WM_KEYDOWN, VK_TAB, 1);
    EXPECT_EQ(GetFocus(), user);
    closeRequests = 0;
    SendMessageW(password, WM_KEYDOWN, VK_ESCAPE, 1);
    PumpMessages();
    EXPECT_EQ(closeRequests, 1);
    ShowWindow(login, SW_HIDE);
}

}  // namespace
