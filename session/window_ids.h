// Every window of the hub's window registry, in creation order. The main window creates
// each of them once, in its WM_CREATE, and they live until the program ends; the rest
// of the program names a window by its id and reaches its handle through the registry.
#pragma once

enum class WinId : int {
    Main,  // KXLobby0 itself (not created by the registry)
    CloseButton,
    MinimizeButton,
    Connect,
    StatusLine,
    Error,
    ErrorOk,
    ErrorCancel,
    ErrorOk2,
    ErrorCancel2,
    ErrorClose,
    Login,
    LoginFlag1,
    LoginFlag2,
    LoginFlag3,
    LoginFlag4,
    LoginLostPassword,
    LoginNewSignup,
    LoginUserEdit,      // standard "edit"
    LoginPasswordEdit,  // standard "edit", ES_PASSWORD
    LoginOk,
    LoginCancel,
    LoginClose,
    Clock,
    LogoffFrame,
    LogoffButton,
    Tabs,
    RoomHead,
    TournamentHead,
    CashierHead,
    News,
    HeadMenuBackground,
    HeadMenu,
    HeadFile,
    HeadOptions,
    HeadWebsite,
    HeadHelp,
    About,
    AboutOk,
    AboutClose,
    Settings,
    SettingsCancel,
    SettingsApply,
    SettingsClose,
    SettingsPage1,
    SettingsPage2,
    SettingsPage3,
    SettingsPage4,
    SettingsPageButton1,
    SettingsPageButton2,
    SettingsPageButton3,
    SettingsPageButton4,
    // Four windows per settings line, 20 lines in the order of kSettingStems
    // (ui/settings_lines.h): caption frame, value frame, caption button, value button.
    FirstSettingsLineWindow,
    LastSettingsLineWindow = FirstSettingsLineWindow + 20 * 4 - 1,
    RoomColumn1,
    RoomColumn2,
    RoomColumn3,
    TournamentColumn1,
    TournamentColumn2,
    TournamentColumn3,
    CashOut,
    Deposit,
    RoomBody,
    TournamentBody,
    CashierBody,
    ResetPlayMoney,
    EnterRoom,
    EnterTournament,
    Contacts,
    ContactsStatusBar,  // standard "msctls_statusbar32"
    ContactsList,
    ContactsOptions,
    ContactsAdd,
    ContactsAddEdit,  // standard "edit"
    ContactsAddCancel,
    ContactsAddAdd,
    Count
};

inline constexpr int kWindowCount = static_cast<int>(WinId::Count);

// The four windows of settings line `line` (0..19).
inline constexpr WinId SettingsCaptionFrame(int line) {
    return static_cast<WinId>(static_cast<int>(WinId::FirstSettingsLineWindow) + line * 4);
}
inline constexpr WinId SettingsValueFrame(int line) {
    return static_cast<WinId>(static_cast<int>(SettingsCaptionFrame(line)) + 1);
}
inline constexpr WinId SettingsCaptionButton(int line) {
    return static_cast<WinId>(static_cast<int>(SettingsCaptionFrame(line)) + 2);
}
inline constexpr WinId SettingsValueButton(int line) {
    return static_cast<WinId>(static_cast<int>(SettingsCaptionFrame(line)) + 3);
}
