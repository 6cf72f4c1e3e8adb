// The window registry as data: for every window of ui/window_ids.h its class, parent (the
// owner, for pop-ups), style and place at creation. Hidden means created without WS_VISIBLE.
#pragma once

#include <array>
#include <cstdint>

#include "ui/class_table.h"
#include "ui/settings_lines.h"
#include "session/account.h"
#include "session/window_ids.h"

// Style bits, turned into window styles by the registry's creation code.
enum RegistryStyle : std::uint16_t {
    kChild = 1,
    kPopup = 2,     // owned by its parent entry
    kTopLevel = 4,  // overlapped window with caption, system menu, sizing border, boxes
    kVisible = 8,
    kClipChildren = 16,
    kVerticalScroll = 32,
    kTopmost = 64,
    kBorder = 128,
    kAutoHScroll = 256,  // edits
    kPassword = 512,
    kSizeGrip = 1024,
    kStandardClass = 2048,  // a platform class ("edit", the status bar), not one of ours
};

inline constexpr WinId kNoParent = WinId::Count;

struct RegistryEntry {
    WinId id;
    const wchar_t* className;
    WinId parent;
    std::uint16_t style;
    std::int16_t x, y, width, height;
};

inline constexpr const wchar_t* kEditClass = L"edit";
inline constexpr const wchar_t* kStatusBarClass = L"msctls_statusbar32";

namespace registry_detail {

using Entries = std::array<RegistryEntry, kWindowCount>;

constexpr void Put(Entries& entries, WinId id, const wchar_t* className, WinId parent,
                   std::uint16_t style, int x, int y, int width, int height) {
    // A class that is not registered stops the build here.
    if (!(style & kStandardClass) && ClassRowNamed(className) < 0) throw "unknown window class";
    entries[static_cast<int>(id)] = {id,
                                     className,
                                     parent,
                                     style,
                                     static_cast<std::int16_t>(x),
                                     static_cast<std::int16_t>(y),
                                     static_cast<std::int16_t>(width),
                                     static_cast<std::int16_t>(height)};
}

constexpr WinId Offset(WinId first, int n) {
    return static_cast<WinId>(static_cast<int>(first) + n);
}

constexpr Entries Build() {
    Entries e{};
    using W = WinId;
    constexpr std::uint16_t shown = kChild | kVisible;
    constexpr std::uint16_t hidden = kChild;
    Put(e, W::Main, L"KXLobby0", kNoParent, kPopup | kVisible | kClipChildren, 0, 0, 640, 480);
    Put(e, W::CloseButton, L"closebuttonwindowname", W::Main, shown, 594, 5, 41, 20);
    Put(e, W::MinimizeButton, L"minimizebuttonwindowname", W::Main, shown, 567, 5, 26, 20);
    Put(e, W::Connect, L"connectwindowname", W::Main, shown, 120, 230, 420, 40);
    Put(e, W::StatusLine, L"statuslinewindowname", W::Main, shown, 15, 445, 280, 34);

    Put(e, W::Error, L"errorwindowname", W::Main, kPopup | kTopmost, 0, 0, 0, 0);
    Put(e, W::ErrorOk, L"errorokwindowname", W::Error, shown | kClipChildren, 0, 0, 0, 0);
    Put(e, W::ErrorCancel, L"errorcancelwindowname", W::Error, shown | kClipChildren, 0, 0, 0, 0);
    Put(e, W::ErrorOk2, L"errorok2windowname", W::ErrorOk, shown, 0, 0, 100, 20);
    Put(e, W::ErrorCancel2, L"errorcancel2windowname", W::ErrorCancel, shown, 0, 0, 100, 20);
    Put(e, W::ErrorClose, L"errorclosewindowname", W::Error, shown, 314, 5, 41, 20);

    Put(e, W::Login, L"loginwindowname", W::Main, kPopup, 0, 0, 0, 0);
    const wchar_t* flags[] = {L"loginflag1windowname", L"loginflag2windowname",
                              L"loginflag3windowname", L"loginflag4windowname"};
    for (int n = 0; n < 4; ++n)
        Put(e, Offset(W::LoginFlag1, n), flags[n], W::Login, shown, 10 + 110 * n, 30, 100, 75);
    Put(e, W::LoginLostPassword, L"loginlostpasswindowname", W::Login, shown, 15, 233, 180, 20);
    Put(e, W::LoginNewSignup, L"loginnewsignupwindowname", W::Login, shown, 15, 201, 180, 20);
    Put(e, W::LoginUserEdit, kEditClass, W::Login, shown | kStandardClass | kAutoHScroll, 241, 117,
        168, 17);
    Put(e, W::LoginPasswordEdit, kEditClass, W::Login,
        shown | kStandardClass | kAutoHScroll | kPassword, 241, 149, 168, 17);
    Put(e, W::LoginOk, L"loginokwindowname", W::Login, shown, 215, 216, 100, 24);
    Put(e, W::LoginCancel, L"logincancelwindowname", W::Login, shown, 335, 216, 100, 24);
    Put(e, W::LoginClose, L"loginclosewindowname", W::Login, shown, 404, 5, 41, 20);

    Put(e, W::Clock, L"uhrzeitwindowname", W::Main, hidden, 520, 40, 120, 38);
    Put(e, W::LogoffFrame, L"logoffbuttonwindowname", W::Main, hidden, 525, 445, 114, 33);
    Put(e, W::LogoffButton, L"logoffbuttonwindow2name", W::LogoffFrame, shown, 0, 0, 100, 20);
    Put(e, W::Tabs, L"tabswindowname", W::Main, hidden, 15, 120, 448, 310);
    Put(e, W::RoomHead, L"roomheadwindowname", W::Tabs, shown, 9, 10, 142, 30);
    Put(e, W::TournamentHead, L"tournyheadwindowname", W::Tabs, shown, 153, 10, 142, 30);
    Put(e, W::CashierHead, L"cashierheadwindowname", W::Tabs, shown, 297, 10, 142, 30);
    Put(e, W::News, L"newswindowname", W::Main, hidden, 485, 135, 140, 250);
    Put(e, W::HeadMenuBackground, L"headmenubgwindowname", W::Main, hidden, 5, 75, 530, 40);
    Put(e, W::HeadMenu, L"headmenuwindowname", W::HeadMenuBackground, shown, 0, 0, 530, 23);
    Put(e, W::HeadFile, L"headfilewindowname", W::Main, hidden, kFileMenuX, kFileMenuY,
        kFileMenuWidth, kMenuRowHeight);
    Put(e, W::HeadOptions, L"headoptionswindowname", W::Main, hidden, 136, 98, 125, 40);
    Put(e, W::HeadWebsite, L"headwebsitewindowname", W::Main, hidden, 265, 98, 125, 60);
    Put(e, W::HeadHelp, L"headhelpwindowname", W::Main, hidden, 394, 98, 125, 40);

    Put(e, W::About, L"aboutwindowname", W::Main, kPopup, 0, 0, 0, 0);
    Put(e, W::AboutOk, L"aboutokwindowname", W::About, shown, 125, 321, 100, 20);
    Put(e, W::AboutClose, L"aboutclosewindowname", W::About, shown, 304, 5, 41, 20);

    Put(e, W::Settings, L"settingswindowname", W::Main, kPopup, 0, 0, 0, 0);
    Put(e, W::SettingsCancel, L"settingscancelbuttonwindowname", W::Settings, shown, 310, 295, 100,
        20);
    Put(e, W::SettingsApply, L"settingsapplybuttonwindowname", W::Settings, shown, 75, 295, 100,
        20);
    Put(e, W::SettingsClose, L"settingsclosewindowname", W::Settings, shown, 439, 5, 41, 20);
    const wchar_t* pages[] = {L"settingshead1windowname", L"settingshead2windowname",
                              L"settingshead3windowname", L"settingshead4windowname"};
    const wchar_t* pageButtons[] = {
        L"settingshead1buttonwindowname", L"settingshead2buttonwindowname",
        L"settingshead3buttonwindowname", L"settingshead4buttonwindowname"};
    for (int n = 0; n < 4; ++n) {
        Put(e, Offset(W::SettingsPage1, n), pages[n], W::Settings, shown, 1 + 121 * n, 30, 120, 45);
    }
    for (int n = 0; n < 4; ++n) {
        Put(e, Offset(W::SettingsPageButton1, n), pageButtons[n], Offset(W::SettingsPage1, n),
            shown, 10, 8, 100, 20);
    }
    // The dialog starts on page 1; only that page's lines are visible.
    for (int line = 0; line < kSettingsLineCount; ++line) {
        std::uint16_t frame = SettingsLineVisible(line, 1, 0) ? shown : hidden;
        int top = SettingsLineTop(line);
        Put(e, SettingsCaptionFrame(line), kWindowClasses[kFirstSettingsFrameRow + 2 * line].name,
            W::Settings, frame, 15, top, 355, 32);
        Put(e, SettingsValueFrame(line), kWindowClasses[kFirstSettingsFrameRow + 2 * line + 1].name,
            W::Settings, frame, 370, top, 115, 32);
        Put(e, SettingsCaptionButton(line), kWindowClasses[kFirstSettingsButtonRow + 2 * line].name,
            SettingsCaptionFrame(line), shown, 0, 0, 340, 20);
        Put(e, SettingsValueButton(line),
            kWindowClasses[kFirstSettingsButtonRow + 2 * line + 1].name, SettingsValueFrame(line),
            shown, 0, 0, 100, 20);
    }

    const wchar_t* roomColumns[] = {L"rbbutton1windowname", L"rbbutton2windowname",
                                    L"rbbutton3windowname"};
    const wchar_t* tournamentColumns[] = {L"tbbutton1windowname", L"tbbutton2windowname",
                                          L"tbbutton3windowname"};
    for (int n = 0; n < 3; ++n) {
        Put(e, Offset(W::RoomColumn1, n), roomColumns[n], W::Tabs, shown, 9 + 144 * n, 44, 142, 18);
    }
    for (int n = 0; n < 3; ++n) {
        Put(e, Offset(W::TournamentColumn1, n), tournamentColumns[n], W::Tabs, hidden, 9 + 144 * n,
            44, 142, 18);
    }
    Put(e, W::CashOut, L"cbcashoutwindowname", W::Tabs, hidden, 83, 275, 100, 20);
    Put(e, W::Deposit, L"cbdepositwindowname", W::Tabs, hidden, 266, 275, 100, 20);
    Put(e, W::RoomBody, L"roombodywindowname", W::Tabs, shown | kVerticalScroll, 9, 64, 430, 209);
    Put(e, W::TournamentBody, L"tournybodywindowname", W::Tabs, hidden | kVerticalScroll, 9, 64,
        430, 209);
    Put(e, W::CashierBody, L"cashierbodywindowname", W::Tabs, hidden | kClipChildren, 9, 64, 430,
        209);
    Put(e, W::ResetPlayMoney, L"resetplaywindowname", W::CashierBody, hidden, 297, 39, 100, 20);
    Put(e, W::EnterRoom, L"enterroombuttonwindowname", W::Tabs, hidden, 174, 275, 100, 20);
    Put(e, W::EnterTournament, L"entertournyroombuttonwindowname", W::Tabs, hidden, 174, 275, 100,
        20);

    // Topmost by the contacts setting, decided at creation; the start-up code places it.
    Put(e, W::Contacts, L"contactswindowname", kNoParent, kTopLevel | kClipChildren, 0, 0, 300,
        400);
    Put(e, W::ContactsStatusBar, kStatusBarClass, W::Contacts, shown | kStandardClass | kSizeGrip,
        0, 0, 0, 0);
    Put(e, W::ContactsList, L"contactslistwindowname", W::Contacts, shown | kVerticalScroll, 0, 0,
        0, 0);
    Put(e, W::ContactsOptions, L"contactsoptionswindowname", W::Contacts, kPopup, 0, 0, 0, 0);
    Put(e, W::ContactsAdd, L"contactsaddwindowname", W::Contacts, kPopup, 0, 0, 0, 0);
    Put(e, W::ContactsAddEdit, kEditClass, W::ContactsAdd,
        shown | kStandardClass | kBorder | kAutoHScroll, 45, 45, 150, 21);
    Put(e, W::ContactsAddCancel, L"contactsaddcancelwindowname", W::ContactsAdd, shown, 125, 85,
        115, 35);
    Put(e, W::ContactsAddAdd, L"contactsaddaddwindowname", W::ContactsAdd, shown, 10, 85, 115, 35);
    return e;
}

// Every entry filled, and every parent created before its children.
constexpr bool WellFormed(const Entries& entries) {
    for (int i = 0; i < kWindowCount; ++i) {
        const RegistryEntry& entry = entries[i];
        if (static_cast<int>(entry.id) != i || entry.className == nullptr) return false;
        if (entry.parent != kNoParent && static_cast<int>(entry.parent) >= i) return false;
    }
    return true;
}

}  // namespace registry_detail

inline constexpr registry_detail::Entries kRegistry = registry_detail::Build();
static_assert(registry_detail::WellFormed(kRegistry));
