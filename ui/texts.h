// Every text the hub's windows draw, in English, German, Italian and Polish, picked by
// `language` at paint time. Nothing is cached: a language change shows at the next paint.
#pragma once

#include <array>
#include <string>
#include <vector>

enum class TextId : int {
    // Header menu bar and its panels.
    HeaderFile,
    HeaderOptions,
    HeaderWebsite,
    HeaderHelp,
    MenuExit,
    MenuAdministration,
    MenuSettings,
    MenuShowContacts,
    MenuHideContacts,
    MenuHomepage,
    MenuMyAccount,
    MenuCashier,
    MenuFaq,
    MenuAbout,
    // Tabs, panels and buttons of the main window.
    TabRooms,
    TabTournaments,
    TabCashier,
    NewsTitle,
    LogOff,
    EnterRoom,
    CashOut,
    Deposit,
    ResetPlayMoney,
    // Account panel labels; list view texts.
    AccountNickname,
    AccountBalance,
    AccountPlayMoney,
    AccountTokens,
    NoRoomsFound,
    NoTournamentsFound,
    MoneyKindReal,
    MoneyKindPlay,
    MoneyKindFree,
    RoomLocked,
    ColumnName,
    ColumnType,
    ColumnPlayers,
    Cancel,
    Ok,
    // Welcome lines of the main window's title band.
    WelcomePrefix,
    UsersWord,
    OnlineWord,
    RoomsWord,
    TablesWord,
    // Connect window, by connectPhase 0..3, and status line, by linkState.
    ConnectConnecting,
    ConnectLoading,
    ConnectReconnecting,
    ConnectLoggingIn,
    StatusOffline,
    StatusConnected,
    // Message box when the screen cannot hold the main window.
    ScreenTooSmallCaption,
    ScreenTooSmallText,
    // Message box when the windows cannot be created (start-up ends).
    StartFailedText,
    // Message box after a crash: the first line, then the second and the report's path
    // when one was written.
    CrashStopped,
    CrashReportSaved,
    // Contacts window: title, add dialog title, status bar texts by own presence 0..4.
    ContactsTitle,
    AddContactTitle,
    PresenceOffline,
    PresenceShowAsOffline,
    PresenceDoNotDisturb,
    PresenceAway,
    PresenceOnline,

    // Error dialog.
    ErrorTitle,
    ErrorCancel,  // "Cancel", but empty for a language outside 1..4
    ErrorNoConnection,
    ErrorClickOkRetry,
    ErrorCancelToExit,
    ErrorVersionObsolete,
    ErrorClickOkDownload,
    ErrorLostConnection,
    ErrorWrongNameOrPassword,
    ErrorClosedByServer,
    ErrorDoubleLogin,
    ErrorProgramWillClose,
    ErrorNotActivated,
    ErrorClickOkActivate,
    ErrorAccountHasBeen,
    ErrorTemporarilySuspended,
    ErrorContactSupport,
    ErrorDeactivatedByAdmin,
    ErrorNewActivationCode,
    ErrorToYourEmail,
    ErrorScreenTooSmall,
    ErrorCannotDisplayTable,
    // Login dialog.
    LoginTitle,
    LoginUserName,
    LoginPassword,
    LoginNewSignup,
    LoginLostPassword,
    // About box.
    AboutTitle,
    AboutVersionCaption,
    AboutVersionLine,
    AboutProgramming,
    AboutGraphics,
    AboutTranslations,
    AboutYearLine,
    AboutRightsReserved,

    // Settings dialog.
    SettingsTitle,
    SettingsHint,
    SettingsApply,
    PageColors,
    PageWindow,
    PageTable,
    PageRoom,
    // Captions of the settings lines, in the order of kSettingStems.
    CaptionForeground,
    CaptionSound,
    CaptionAutodelay,
    CaptionTablesize,
    CaptionSave,
    CaptionSkin,
    CaptionWhiteChecker,
    CaptionBlackChecker,
    CaptionWhiteDice,
    CaptionBlackDice,
    CaptionCube,
    CaptionSkipRoll,
    CaptionSkipMove,
    CaptionForcedMove,
    CaptionAutoBearOff,
    CaptionAnimate,
    CaptionAnimateSpeed,
    CaptionTimestamp,
    CaptionEnterExit,
    CaptionFont,
    // Values shown by the settings lines.
    ValueYes,
    ValueNo,
    DelayNone,
    DelayFast,
    DelayMedium,
    DelaySlow,
    SaveNone,
    SecondSingular,  // follows the number: "1 second"
    SecondPlural,    // "0 seconds", "2 seconds"
    ValueClick,
    // The contacts window's menu bar: titles, the sort submenu and the items by command.
    ContactsMenuFile,
    ContactsMenuOptions,
    ContactsMenuStatus,
    ContactsMenuSortBy,
    ContactsItemClose,
    ContactsItemForeground,
    ContactsItemAddContact,
    ContactsItemShowAsOffline,
    ContactsItemOnline,
    ContactsItemAway,
    ContactsItemDoNotDisturb,
    ContactsItemSortOnline,
    ContactsItemSortFriends,
    ContactsItemPrivateMessage,
    ContactsItemHideIgnored,
    // English spellings of two items once the language has been changed at run time.
    ContactsItemAddContactRelabelled,
    ContactsItemShowAsOfflineRelabelled,
    // The contact list's context menu rows and the add-contact failure box.
    ContextAddToFriends,
    ContextRemoveFromFriends,
    ContextAddToIgnored,
    ContextRemoveFromIgnored,
    ContextDeleteContact,
    SystemMessageTitle,
    AddContactAlreadyListed,
    AddContactNoSuchNickname,
    // The status bar's text for the own presence 1 when the server reports it.
    PresenceShownOfflineReported,

    Count
};

inline constexpr int kTextCount = static_cast<int>(TextId::Count);

// The text of `id` in `language`: 3 Italian, else 4 Polish, else 2 German, else English;
// a text that has no translation stays English.
std::wstring TextIn(TextId id, int language);
// The same without a copy, for the crash report, which must not allocate.
const wchar_t* TextChars(TextId id, int language);
// The same in the current `language`.
std::wstring Text(TextId id);

// Connect window text for connectPhase 0..3; empty for any other phase.
std::wstring ConnectPhaseText(int phase, int language);
// Status line text: "Offline" for linkState 0, the connected text otherwise.
std::wstring LinkStateText(int linkState, int language);
// Contacts status bar text for the own presence 0..4; empty for any other value. When the
// server has just reported the own presence, 1 reads "offline" in lower case in English.
std::wstring PresenceText(int presence, int language, bool reported = false);
// The four lines of the error dialog for errorState 2..10; other states show no lines.
std::array<std::wstring, 4> ErrorLines(int errorState, int language);

// The parts joined by single blanks, empty parts left out: the one window text of a
// window that shows several texts.
std::wstring JoinTexts(const std::vector<std::wstring>& parts);
