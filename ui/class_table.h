// The hub's 150 window classes in registration order. Each row names the control family
// whose procedure serves the class and the data that family needs: bitmap, label, action.
#pragma once

#include <cstdint>

#include "ui/texts.h"

enum class Family : std::uint8_t {
    Main,  // KXLobby0: the procedure comes from the start-up code
    // Push-type families (press/capture protocol).
    IconButton,
    TextButton,
    LinkButton,
    ColumnHead,
    TabButton,
    PageTabButton,
    CaptionButton,
    CycleButton,
    SwatchButton,
    // Images and panels.
    StaticImage,
    PageImage,
    FlagButton,  // acts on button-down
    TabArea,
    DropdownPanel,
    HeaderMenuBar,
    ListBody,
    AccountPanel,
    Clock,
    News,
    // Dialogs and windows with behaviour of their own.
    ConnectWindow,
    StatusLine,
    DialogFrame,  // param: the dialog's entry in the frame table, label: its title
    ContactsFrame,
    ContactsList,
    ContactsMenu,
};

// What a push-type control does when it is released (flags: on button-down).
enum class Action : std::uint8_t {
    None,
    CloseProgram,  // post WM_CLOSE to the main window
    MinimizeMain,
    ErrorOk,
    ErrorCancel,
    Logoff,
    LoginSubmit,
    OpenSignup,
    OpenLostPassword,
    OpenCashier,
    CloseAbout,
    CloseSettings,
    CloseAddContact,
    SubmitAddContact,
    SelectTab,           // param: tab 1..3
    SelectSettingsPage,  // param: page 1..4
    SetLanguage,         // param: language 1..4
    StepSetting,         // param: settings line 0..19
    SortRoomList,        // the column: the head's place among the three
    SortTournamentList,
    EnterRoom,
    EnterTournament,
    ApplySettings,
    CancelSettings,
};

inline constexpr TextId kNoText = TextId::Count;

struct WindowClassRow {
    const wchar_t* name;
    Family family;
    std::int16_t bitmap;  // base image; the pressed image is bitmap + 1
    TextId label;
    Action action;
    std::int8_t param;  // tab, page, flag, panel or settings line number
    std::int16_t hitWidth, hitHeight;
};

inline constexpr int kWindowClassCount = 150;

inline constexpr WindowClassRow kWindowClasses[kWindowClassCount] = {
    {L"KXLobby0", Family::Main, 0, kNoText, Action::None, 0, 0, 0},
    {L"contactswindowname", Family::ContactsFrame, 0, kNoText, Action::None, 0, 0, 0},
    {L"connectwindowname", Family::ConnectWindow, 9, kNoText, Action::None, 0, 0, 0},
    {L"statuslinewindowname", Family::StatusLine, 10, kNoText, Action::None, 0, 0, 0},
    {L"errorwindowname", Family::DialogFrame, 12, TextId::ErrorTitle, Action::None, 0, 0, 0},
    {L"errorokwindowname", Family::StaticImage, 14, kNoText, Action::None, 0, 0, 0},
    {L"errorcancelwindowname", Family::StaticImage, 14, kNoText, Action::None, 0, 0, 0},
    {L"loginwindowname", Family::DialogFrame, 16, TextId::LoginTitle, Action::None, 1, 0, 0},
    {L"loginflag1windowname", Family::FlagButton, 501, kNoText, Action::SetLanguage, 1, 0, 0},
    {L"loginflag2windowname", Family::FlagButton, 502, kNoText, Action::SetLanguage, 2, 0, 0},
    {L"loginflag3windowname", Family::FlagButton, 503, kNoText, Action::SetLanguage, 3, 0, 0},
    {L"loginflag4windowname", Family::FlagButton, 504, kNoText, Action::SetLanguage, 4, 0, 0},
    {L"uhrzeitwindowname", Family::Clock, 23, kNoText, Action::None, 0, 0, 0},
    {L"logoffbuttonwindowname", Family::StaticImage, 24, kNoText, Action::None, 0, 0, 0},
    {L"tabswindowname", Family::TabArea, 26, kNoText, Action::None, 0, 0, 0},
    {L"roomheadwindowname", Family::TabButton, 30, TextId::TabRooms, Action::SelectTab, 1, 142, 30},
    {L"newswindowname", Family::News, 39, kNoText, Action::None, 0, 0, 0},
    {L"headmenubgwindowname", Family::StaticImage, 40, kNoText, Action::None, 0, 0, 0},
    {L"headfilewindowname", Family::DropdownPanel, 43, kNoText, Action::None, 1, 0, 0},
    {L"headoptionswindowname", Family::DropdownPanel, 43, kNoText, Action::None, 2, 0, 0},
    {L"headwebsitewindowname", Family::DropdownPanel, 43, kNoText, Action::None, 3, 0, 0},
    {L"headhelpwindowname", Family::DropdownPanel, 43, kNoText, Action::None, 4, 0, 0},
    {L"aboutwindowname", Family::DialogFrame, 44, TextId::AboutTitle, Action::None, 2, 0, 0},
    {L"settingswindowname", Family::DialogFrame, 47, TextId::SettingsTitle, Action::None, 3, 0, 0},
    {L"settingshead1windowname", Family::PageImage, 52, kNoText, Action::None, 1, 0, 0},
    {L"settingshead2windowname", Family::PageImage, 52, kNoText, Action::None, 2, 0, 0},
    {L"settingshead3windowname", Family::PageImage, 52, kNoText, Action::None, 3, 0, 0},
    {L"settingshead4windowname", Family::PageImage, 52, kNoText, Action::None, 4, 0, 0},
    {L"settingshead1buttonwindowname", Family::PageTabButton, 54, TextId::PageColors,
     Action::SelectSettingsPage, 1, 100, 20},
    {L"foregroundueberschriftwindowname", Family::StaticImage, 69, kNoText, Action::None, 0, 0, 0},
    {L"foregroundinputwindowname", Family::StaticImage, 67, kNoText, Action::None, 0, 0, 0},
    {L"soundueberschriftwindowname", Family::StaticImage, 69, kNoText, Action::None, 1, 0, 0},
    {L"soundinputwindowname", Family::StaticImage, 67, kNoText, Action::None, 1, 0, 0},
    {L"autodelayueberschriftwindowname", Family::StaticImage, 69, kNoText, Action::None, 2, 0, 0},
    {L"autodelayinputwindowname", Family::StaticImage, 67, kNoText, Action::None, 2, 0, 0},
    {L"tablesizeueberschriftwindowname", Family::StaticImage, 69, kNoText, Action::None, 3, 0, 0},
    {L"tablesizeinputwindowname", Family::StaticImage, 67, kNoText, Action::None, 3, 0, 0},
    {L"saveueberschriftwindowname", Family::StaticImage, 69, kNoText, Action::None, 4, 0, 0},
    {L"saveinputwindowname", Family::StaticImage, 67, kNoText, Action::None, 4, 0, 0},
    {L"skinueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 5, 0, 0},
    {L"skininputwindowname", Family::StaticImage, 63, kNoText, Action::None, 5, 0, 0},
    {L"whitechkueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 6, 0, 0},
    {L"whitechkinputwindowname", Family::StaticImage, 63, kNoText, Action::None, 6, 0, 0},
    {L"blackchkueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 7, 0, 0},
    {L"blackchkinputwindowname", Family::StaticImage, 63, kNoText, Action::None, 7, 0, 0},
    {L"whitediceueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 8, 0, 0},
    {L"whitediceinputwindowname", Family::StaticImage, 63, kNoText, Action::None, 8, 0, 0},
    {L"blackdiceueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 9, 0, 0},
    {L"blackdiceinputwindowname", Family::StaticImage, 63, kNoText, Action::None, 9, 0, 0},
    {L"cubeueberschriftwindowname", Family::StaticImage, 65, kNoText, Action::None, 10, 0, 0},
    {L"cubeinputwindowname", Family::StaticImage, 63, kNoText, Action::None, 10, 0, 0},
    {L"skiprollueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 11, 0, 0},
    {L"skiprollinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 11, 0, 0},
    {L"skipmoveueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 12, 0, 0},
    {L"skipmoveinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 12, 0, 0},
    {L"forcedmoveueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 13, 0, 0},
    {L"forcedmoveinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 13, 0, 0},
    {L"autobearoffueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 14, 0,
     0},
    {L"autobearoffinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 14, 0, 0},
    {L"animateueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 15, 0, 0},
    {L"animateinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 15, 0, 0},
    {L"animatespeedueberschriftwindowname", Family::StaticImage, 73, kNoText, Action::None, 16, 0,
     0},
    {L"animatespeedinputwindowname", Family::StaticImage, 71, kNoText, Action::None, 16, 0, 0},
    {L"timestampueberschriftwindowname", Family::StaticImage, 77, kNoText, Action::None, 17, 0, 0},
    {L"timestampinputwindowname", Family::StaticImage, 75, kNoText, Action::None, 17, 0, 0},
    {L"enterexitueberschriftwindowname", Family::StaticImage, 77, kNoText, Action::None, 18, 0, 0},
    {L"enterexitinputwindowname", Family::StaticImage, 75, kNoText, Action::None, 18, 0, 0},
    {L"fontueberschriftwindowname", Family::StaticImage, 77, kNoText, Action::None, 19, 0, 0},
    {L"fontinputwindowname", Family::StaticImage, 75, kNoText, Action::None, 19, 0, 0},
    {L"cashierbodywindowname", Family::AccountPanel, 93, kNoText, Action::None, 0, 0, 0},
    {L"contactsaddwindowname", Family::DialogFrame, 0, TextId::AddContactTitle, Action::None, 4, 0,
     0},
    {L"roombodywindowname", Family::ListBody, 93, kNoText, Action::None, 1, 0, 0},
    {L"tournybodywindowname", Family::ListBody, 93, kNoText, Action::None, 2, 0, 0},
    {L"contactslistwindowname", Family::ContactsList, 0, kNoText, Action::None, 0, 0, 0},
    {L"closebuttonwindowname", Family::IconButton, 5, kNoText, Action::CloseProgram, 0, 41, 20},
    {L"minimizebuttonwindowname", Family::IconButton, 7, kNoText, Action::MinimizeMain, 0, 26, 20},
    {L"errorok2windowname", Family::TextButton, 14, TextId::Ok, Action::ErrorOk, 0, 100, 20},
    {L"errorcancel2windowname", Family::TextButton, 14, TextId::ErrorCancel, Action::ErrorCancel, 0,
     100, 20},
    {L"errorclosewindowname", Family::IconButton, 5, kNoText, Action::ErrorCancel, 0, 41, 20},
    {L"loginlostpasswindowname", Family::LinkButton, 21, TextId::LoginLostPassword,
     Action::OpenLostPassword, 0, 170, 20},
    {L"loginnewsignupwindowname", Family::LinkButton, 21, TextId::LoginNewSignup,
     Action::OpenSignup, 0, 170, 20},
    {L"loginokwindowname", Family::TextButton, 17, TextId::LoginTitle, Action::LoginSubmit, 0, 100,
     25},
    {L"logincancelwindowname", Family::TextButton, 19, TextId::Cancel, Action::CloseProgram, 0, 100,
     25},
    {L"loginclosewindowname", Family::IconButton, 5, kNoText, Action::CloseProgram, 0, 41, 20},
    {L"logoffbuttonwindow2name", Family::TextButton, 24, TextId::LogOff, Action::Logoff, 0, 100,
     20},
    {L"tournyheadwindowname", Family::TabButton, 33, TextId::TabTournaments, Action::SelectTab, 2,
     142, 30},
    {L"cashierheadwindowname", Family::TabButton, 36, TextId::TabCashier, Action::SelectTab, 3, 142,
     30},
    {L"headmenuwindowname", Family::HeaderMenuBar, 40, kNoText, Action::None, 0, 0, 0},
    {L"aboutokwindowname", Family::TextButton, 45, TextId::Ok, Action::CloseAbout, 0, 100, 20},
    {L"aboutclosewindowname", Family::IconButton, 5, kNoText, Action::CloseAbout, 0, 41, 20},
    {L"settingscancelbuttonwindowname", Family::TextButton, 48, TextId::Cancel,
     Action::CancelSettings, 0, 100, 20},
    {L"settingsapplybuttonwindowname", Family::TextButton, 50, TextId::SettingsApply,
     Action::ApplySettings, 0, 100, 20},
    {L"settingsclosewindowname", Family::IconButton, 5, kNoText, Action::CloseSettings, 0, 41, 20},
    {L"settingshead2buttonwindowname", Family::PageTabButton, 54, TextId::PageWindow,
     Action::SelectSettingsPage, 2, 100, 20},
    {L"settingshead3buttonwindowname", Family::PageTabButton, 54, TextId::PageTable,
     Action::SelectSettingsPage, 3, 100, 20},
    {L"settingshead4buttonwindowname", Family::PageTabButton, 54, TextId::PageRoom,
     Action::SelectSettingsPage, 4, 100, 20},
    {L"foregroundueberschrift2windowname", Family::CaptionButton, 69, kNoText, Action::StepSetting,
     0, 340, 20},
    {L"foregroundinput2windowname", Family::CycleButton, 67, kNoText, Action::StepSetting, 0, 100,
     20},
    {L"soundueberschrift2windowname", Family::CaptionButton, 69, kNoText, Action::StepSetting, 1,
     340, 20},
    {L"soundinput2windowname", Family::CycleButton, 67, kNoText, Action::StepSetting, 1, 100, 20},
    {L"autodelayueberschrift2windowname", Family::CaptionButton, 69, kNoText, Action::StepSetting,
     2, 340, 20},
    {L"autodelayinput2windowname", Family::CycleButton, 67, kNoText, Action::StepSetting, 2, 100,
     20},
    {L"tablesizeueberschrift2windowname", Family::CaptionButton, 69, kNoText, Action::StepSetting,
     3, 340, 20},
    {L"tablesizeinput2windowname", Family::CycleButton, 67, kNoText, Action::StepSetting, 3, 100,
     20},
    {L"saveueberschrift2windowname", Family::CaptionButton, 69, kNoText, Action::StepSetting, 4,
     340, 20},
    {L"saveinput2windowname", Family::CycleButton, 67, kNoText, Action::StepSetting, 4, 100, 20},
    {L"skinueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting, 5,
     340, 20},
    {L"skininput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 5, 100, 20},
    {L"whitechkueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting, 6,
     340, 20},
    {L"whitechkinput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 6, 100,
     20},
    {L"blackchkueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting, 7,
     340, 20},
    {L"blackchkinput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 7, 100,
     20},
    {L"whitediceueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting,
     8, 340, 20},
    {L"whitediceinput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 8, 100,
     20},
    {L"blackdiceueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting,
     9, 340, 20},
    {L"blackdiceinput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 9, 100,
     20},
    {L"cubeueberschrift2windowname", Family::CaptionButton, 65, kNoText, Action::StepSetting, 10,
     340, 20},
    {L"cubeinput2windowname", Family::SwatchButton, 63, kNoText, Action::StepSetting, 10, 100, 20},
    {L"skiprollueberschrift2windowname", Family::CaptionButton, 73, kNoText, Action::StepSetting,
     11, 340, 20},
    {L"skiprollinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 11, 100,
     20},
    {L"skipmoveueberschrift2windowname", Family::CaptionButton, 73, kNoText, Action::StepSetting,
     12, 340, 20},
    {L"skipmoveinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 12, 100,
     20},
    {L"forcedmoveueberschrift2windowname", Family::CaptionButton, 73, kNoText, Action::StepSetting,
     13, 340, 20},
    {L"forcedmoveinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 13, 100,
     20},
    {L"autobearoffueberschrift2windowname", Family::CaptionButton, 73, kNoText, Action::StepSetting,
     14, 340, 20},
    {L"autobearoffinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 14, 100,
     20},
    {L"animateueberschrift2windowname", Family::CaptionButton, 73, kNoText, Action::StepSetting, 15,
     340, 20},
    {L"animateinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 15, 100,
     20},
    {L"animatespeedueberschrift2windowname", Family::CaptionButton, 73, kNoText,
     Action::StepSetting, 16, 340, 20},
    {L"animatespeedinput2windowname", Family::CycleButton, 71, kNoText, Action::StepSetting, 16,
     100, 20},
    {L"timestampueberschrift2windowname", Family::CaptionButton, 77, kNoText, Action::StepSetting,
     17, 340, 20},
    {L"timestampinput2windowname", Family::CycleButton, 75, kNoText, Action::StepSetting, 17, 100,
     20},
    {L"enterexitueberschrift2windowname", Family::CaptionButton, 77, kNoText, Action::StepSetting,
     18, 340, 20},
    {L"enterexitinput2windowname", Family::CycleButton, 75, kNoText, Action::StepSetting, 18, 100,
     20},
    {L"fontueberschrift2windowname", Family::CaptionButton, 77, kNoText, Action::StepSetting, 19,
     340, 20},
    {L"fontinput2windowname", Family::CycleButton, 75, kNoText, Action::StepSetting, 19, 100, 20},
    {L"rbbutton1windowname", Family::ColumnHead, 79, TextId::ColumnName, Action::SortRoomList, 1,
     142, 18},
    {L"rbbutton2windowname", Family::ColumnHead, 81, TextId::ColumnType, Action::SortRoomList, 1,
     142, 18},
    {L"rbbutton3windowname", Family::ColumnHead, 83, TextId::ColumnPlayers, Action::SortRoomList, 1,
     142, 18},
    {L"tbbutton1windowname", Family::ColumnHead, 85, TextId::ColumnName, Action::SortTournamentList,
     2, 142, 18},
    {L"tbbutton2windowname", Family::ColumnHead, 87, TextId::ColumnType, Action::SortTournamentList,
     2, 142, 18},
    {L"tbbutton3windowname", Family::ColumnHead, 89, TextId::ColumnPlayers,
     Action::SortTournamentList, 2, 142, 18},
    {L"cbcashoutwindowname", Family::TextButton, 91, TextId::CashOut, Action::OpenCashier, 0, 100,
     20},
    {L"cbdepositwindowname", Family::TextButton, 91, TextId::Deposit, Action::OpenCashier, 0, 100,
     20},
    {L"resetplaywindowname", Family::TextButton, 91, TextId::ResetPlayMoney, Action::OpenCashier, 0,
     100, 20},
    {L"enterroombuttonwindowname", Family::TextButton, 94, TextId::EnterRoom, Action::EnterRoom, 0,
     100, 20},
    {L"entertournyroombuttonwindowname", Family::TextButton, 96, TextId::EnterRoom,
     Action::EnterTournament, 0, 100, 20},
    {L"contactsoptionswindowname", Family::ContactsMenu, 107, kNoText, Action::None, 0, 0, 0},
    {L"contactsaddcancelwindowname", Family::TextButton, 110, TextId::Cancel,
     Action::CloseAddContact, 0, 115, 35},
    {L"contactsaddaddwindowname", Family::TextButton, 108, TextId::Ok, Action::SubmitAddContact, 0,
     115, 35},
};

constexpr bool SameName(const wchar_t* a, const wchar_t* b) {
    while (*a != 0 && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

// Row of the class called `name`; -1 when there is none.
constexpr int ClassRowNamed(const wchar_t* name) {
    for (int row = 0; row < kWindowClassCount; ++row) {
        if (SameName(kWindowClasses[row].name, name)) return row;
    }
    return -1;
}

// The settings lines' classes come in two runs of pairs, in the order of kSettingStems:
// frames (caption, value) and, further on, the buttons inside them.
inline constexpr int kFirstSettingsFrameRow = ClassRowNamed(L"foregroundueberschriftwindowname");
inline constexpr int kFirstSettingsButtonRow = ClassRowNamed(L"foregroundueberschrift2windowname");
