// The window registry on real windows: parents and owners, the edits, the press/capture
// protocol of real buttons, the language flags and the dialogs' codes.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_registration_win.h"
#include "ui/contacts_menu.h"
#include "ui/contacts_menu_win.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/language.h"
#include "ui/main_paint_win.h"
#include "ui/paint_win.h"
#include "ui/registry_table.h"
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
        case WM_PAINT:
            PaintMainWindow(window);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

HWND Handle(WinId id) {
    return WindowHandle(id);
}

// A window's left, top, right and bottom on the screen.
std::vector<LONG> Place(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

WinId Nth(WinId first, int n) {
    return static_cast<WinId>(static_cast<int>(first) + n);
}

class WindowRegistry : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        SetProgramInstance(GetModuleHandleW(nullptr));
        language = 1;
        sound = 0;
        SetContactsOnTop(1);
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

// What the window system made of each registry entry: a child inside its parent entry's
// window, a pop-up owned by it (and so above it, hidden with it), or the free-standing
// contacts window. Classes, places and styles are checked from outside by the end-to-end
// start-up test, which states the layout on its own.
TEST_F(WindowRegistry, EveryEntryIsAWindowUnderItsParentOrOwner) {
    for (const RegistryEntry& entry : kRegistry) {
        if (entry.id == WinId::Main) continue;  // the test's stand-in, made above
        SCOPED_TRACE(static_cast<int>(entry.id));
        HWND window = Handle(entry.id);
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(WindowIdOf(window), entry.id);
        HWND parent = GetAncestor(window, GA_PARENT);
        HWND owner = GetWindow(window, GW_OWNER);
        if (entry.style & kChild) {
            EXPECT_EQ(parent, Handle(entry.parent));
        } else {
            EXPECT_EQ(parent, GetDesktopWindow());
            EXPECT_EQ(owner, entry.parent == kNoParent ? nullptr : Handle(entry.parent));
        }
    }
}

TEST_F(WindowRegistry, ListsShowADisabledScrollBarBeforeTheirFirstEntries) {
    ShowWindow(Handle(WinId::Tabs), SW_SHOWNA);
    for (WinId list : {WinId::RoomBody, WinId::TournamentBody}) {
        ShowWindow(Handle(list), SW_SHOWNA);
        SCROLLBARINFO bar{};
        bar.cbSize = sizeof bar;
        ASSERT_TRUE(GetScrollBarInfo(Handle(list), OBJID_VSCROLL, &bar));
        EXPECT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << static_cast<int>(list);
        EXPECT_TRUE(bar.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) << static_cast<int>(list);
        ShowWindow(Handle(list), SW_HIDE);
    }
    ShowWindow(Handle(WinId::Tabs), SW_HIDE);
}

// The menu bar's check marks follow the options its items switch, and the foreground
// item the window's topmost state.
TEST_F(WindowRegistry, ContactsMenuChecksFollowTheirOptions) {
    HWND contacts = Handle(WinId::Contacts);
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
        {CONTACTS_SORT_ONLINE, true, true, false, true},  // chosen again: no change
        {CONTACTS_FOREGROUND, true, true, false, false},
        {CONTACTS_HIDE_IGNORED, false, true, false, false},
        {CONTACTS_SORT_FRIENDS, false, false, true, false},
        {CONTACTS_FOREGROUND, false, false, true, true},
    };
    SetShowIgnored(1);
    SetContactSortOrder(1);
    RefreshContactsMenuChecks();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.command);
        if (step.command != 0)
            SendMessageW(contacts, WM_COMMAND, static_cast<WPARAM>(step.command), 0);
        EXPECT_EQ(checked(CONTACTS_HIDE_IGNORED), step.hideIgnored);
        EXPECT_EQ(showIgnored == 0, step.hideIgnored);
        EXPECT_EQ(checked(CONTACTS_SORT_ONLINE), step.sortOnline);
        EXPECT_EQ(checked(CONTACTS_SORT_FRIENDS), step.sortFriends);
        EXPECT_EQ(contactSortOrder == 1, step.sortFriends);
        EXPECT_EQ(checked(CONTACTS_FOREGROUND), step.foreground);
        EXPECT_EQ(topmost(), step.foreground);
    }
}

TEST_F(WindowRegistry, EditsHoldFifteenCharactersAndTheRememberedLogin) {
    for (auto [id, remembered] : {std::pair{WinId::LoginUserEdit, L"alice"},
                                  {WinId::LoginPasswordEdit, L"secret"},
                                  {WinId::ContactsAddEdit, L""}}) {
        HWND edit = Handle(id);
        wchar_t text[32] = {};
        GetWindowTextW(edit, text, 32);
        EXPECT_STREQ(text, remembered);
        EXPECT_NE(SendMessageW(edit, WM_GETFONT, 0, 0), 0);
        // Typed characters go through the subclass and stop at the limit.
        SetWindowTextW(edit, L"");
        for (int i = 0; i < 20; ++i)
            SendMessageW(edit, WM_CHAR, L'a' + i, 1);
        EXPECT_EQ(GetWindowTextLengthW(edit), 15) << static_cast<int>(id);
        SetWindowTextW(edit, remembered);
    }
}

// A press, a move and a release on real buttons: the capture follows the press, the hit
// box is the family's (the login "Cancel" is 100 x 24 but takes releases down to y 25;
// the close button is 41 x 20), and an act posts WM_CLOSE. The gestures' other cases are
// the portable press protocol's (ui_press_logic_test).
TEST_F(WindowRegistry, ButtonsActOnlyOnAReleaseThatKeepsThePress) {
    ShowWindow(Handle(WinId::Login), SW_SHOW);
    const struct {
        WinId button;
        int x, y, closes;
    } cases[] = {{WinId::LoginCancel, 5, 5, 1},
                 {WinId::LoginCancel, 100, 25, 1},
                 {WinId::LoginCancel, 100, 26, 0},
                 {WinId::CloseButton, 41, 20, 1},
                 {WinId::CloseButton, 42, 20, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        HWND button = Handle(c.button);
        closeRequests = 0;
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        EXPECT_EQ(GetCapture(), button);
        SendMessageW(button, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(c.x, c.y));
        SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
        EXPECT_EQ(GetCapture(), nullptr);
        PumpMessages();
        EXPECT_EQ(closeRequests, c.closes);
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

// The contacts window is topmost by its setting (1 here) and titled in the language,
// which a language flag sets on button down.
TEST_F(WindowRegistry, LanguageFlagActsOnButtonDown) {
    EXPECT_TRUE(GetWindowLongW(Handle(WinId::Contacts), GWL_EXSTYLE) & WS_EX_TOPMOST);
    auto title = [] {
        wchar_t text[32] = {};
        GetWindowTextW(Handle(WinId::Contacts), text, 32);
        return std::wstring(text);
    };
    EXPECT_EQ(title(), L"Contacts");
    HWND flag = Handle(WinId::LoginFlag2);
    SendMessageW(flag, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(language, 2);
    for (int n = 0; n < 4; ++n) {
        auto cursor = reinterpret_cast<HCURSOR>(
            GetClassLongPtrW(Handle(Nth(WinId::LoginFlag1, n)), GCLP_HCURSOR));
        EXPECT_EQ(cursor, LoadCursorW(nullptr, n == 1 ? IDC_ARROW : IDC_HAND)) << n;
    }
    EXPECT_EQ(title(), L"Kontakte");
    SendMessageW(flag, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
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
        const auto dialog = Place(error), ok = Place(Handle(WinId::ErrorOk));
        EXPECT_EQ(Place(error), (std::vector<LONG>{140, 120, 500, 360}));
        EXPECT_EQ(ok[0] - dialog[0], c.okLeft);
        EXPECT_EQ(ok[1] - dialog[1], 199);
        EXPECT_EQ((GetWindowLongW(Handle(WinId::ErrorCancel), GWL_STYLE) & WS_VISIBLE) != 0,
                  c.cancelShown);
    }
    ShowWindow(error, SW_SHOW);
    SendMessageW(error, TavloraIntMessage, NC_FOCUS_DIALOG, 0);
    EXPECT_EQ(GetFocus(), Handle(WinId::ErrorOk2));
    EXPECT_EQ(SendMessageW(error, WM_NCHITTEST, 0, MAKELPARAM(200, 200)), HTCAPTION);
    ShowWindow(error, SW_HIDE);
}

// Painting makes its own GDI objects on every paint (memory contexts and bitmaps, the
// loaded skin bitmaps) and deletes them before it ends. Wine's GetGuiResources always says
// 0, so the painting functions count what they make and delete.
TEST_F(WindowRegistry, PaintingLeavesNoObjectBehind) {
    // The logged-in lobby with every dialog over it: each family on screen at least once.
    errorState = 5;
    isLoggedIn = true;
    // The enter-room button: its Polish label is drawn in a font made for each paint.
    const WinId panels[] = {WinId::Clock,      WinId::LogoffFrame, WinId::Tabs,
                            WinId::EnterRoom,  WinId::News,        WinId::HeadMenuBackground,
                            WinId::HeadOptions};
    for (WinId id : panels)
        ShowWindow(Handle(id), SW_SHOWNA);
    for (WinId dialog : {WinId::Error, WinId::Login}) {
        SendMessageW(Handle(dialog), TavloraIntMessage, NC_PREPARE_DIALOG, 1);
        ShowWindow(Handle(dialog), SW_SHOWNA);
    }
    OpenModalDialog(Handle(WinId::About), 145, 60, 290, 120);
    OpenModalDialog(Handle(WinId::Settings), 77, 75, 155, 150);
    const HWND tops[] = {mainWindow, Handle(WinId::Error), Handle(WinId::Login),
                         Handle(WinId::About), Handle(WinId::Settings)};
    auto repaint = [](HWND top, UINT invalidate) {
        RedrawWindow(top, nullptr, nullptr, invalidate | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    auto outstanding = [] {
        PaintCounts counts = PaintCountsSoFar();
        return counts.created - counts.deleted;
    };
    const long before = outstanding();
    const PaintCounts start = PaintCountsSoFar();

    while (PaintCountsSoFar().paints - start.paints < 1000) {
        for (HWND top : tops)
            repaint(top, RDW_INVALIDATE);
    }
    EXPECT_EQ(outstanding(), before);
    // The paints loaded their bitmaps: per paint a memory context and its bitmap, and
    // per layer a loaded bitmap and the context it is copied from.
    EXPECT_GE(PaintCountsSoFar().created - start.created, 1000 * 4);

    for (int i = 0; i < 100; ++i) {
        SetLanguage(i % 5 + 1);  // 5 shows English: an unknown language paints too
        repaint(mainWindow, 0);  // what the switch invalidated
    }
    for (HWND top : tops)
        repaint(top, 0);
    EXPECT_EQ(outstanding(), before);

    SetLanguage(1);
    isLoggedIn = false;
    for (WinId id : panels)
        ShowWindow(Handle(id), SW_HIDE);
    for (WinId dialog : {WinId::Error, WinId::About, WinId::Login, WinId::Settings})
        ShowWindow(Handle(dialog), SW_HIDE);
    EnableWindow(mainWindow, TRUE);
    PumpMessages();
}

// The columns of `bitmap` (width x height, white background) that hold a darker pixel.
static std::pair<int, int> InkedColumns(HDC dc, int width, int height) {
    int first = width, last = -1;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (GetPixel(dc, x, y) != RGB(255, 255, 255)) {
                first = std::min(first, x);
                last = std::max(last, x);
                break;
            }
    return {first, last};
}

TEST(Labels, ALabelWiderThanItsBoxIsNarrowedToFitAndOthersAreNot) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 20);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    SetBkMode(dc, TRANSPARENT);
    const RECT all{0, 0, 300, 20};
    const RECT button{100, 0, 200, 20};  // a 100x20 text button in the middle
    struct Case {
        const wchar_t* label;
        bool fitsAsItIs;
    } cases[] = {{L"Wej\u015Bcie do pokoju", false}, {L"Enter room", true}};
    for (const Case& c : cases) {
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int natural = TextWidth(dc, c.label, TextFont());
        DrawCentredText(dc, c.label, TextFont(), RGB(0, 0, 0), button);
        const auto [first, last] = InkedColumns(dc, 300, 20);
        EXPECT_EQ(natural <= 100, c.fitsAsItIs) << natural;
        EXPECT_GE(first, 100) << "ink left of the button";
        EXPECT_LT(last, 200) << "ink right of the button";
        // Still one label, across most of the button, not a shrunk dot.
        if (!c.fitsAsItIs) {
            EXPECT_GT(last - first, 70);
        }
    }
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

TEST_F(WindowRegistry, LoginDialogPlacementAndKeys) {
    HWND login = Handle(WinId::Login);
    SendMessageW(login, TavloraIntMessage, NC_PREPARE_DIALOG, 0);
    EXPECT_EQ(Place(login), (std::vector<LONG>{95, 105, 545, 375}));
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
