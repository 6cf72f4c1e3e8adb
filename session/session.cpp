// The connection and login state machine of the main window: what each notification,
// login reply and error-window button does to the connect window, the status line, the
// error and login windows and the connection.
#include "session/session.h"

#include <random>
#include <utility>

#include "net/notification_codes.h"
#include "settings/settings.h"
#include "session/news.h"
#include "session/ui_port.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/connection_log.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/wire.h"
#include "res/resource_ids.h"

bool isLoggedIn = false;
int connectPhase = PHASE_CONNECTING;
int linkState = 0;
int errorState = 0;
int errorLayout = 1;
std::wstring loginUserName, loginPassword;
std::wstring loggedInUserName, loggedInPassword;
std::uintptr_t connectionAttemptKey = 0;

namespace {

constexpr int kMinCredentialLength = 4;
constexpr int kMaxCredentialLength = 15;

// Everything showErrorState does; callers that have just run the UI reset (which hides
// the connect window) skip hiding it again.
void RaiseErrorWindow(ErrorState state, ErrorLayout layout, bool hideConnect) {
    errorState = state;
    errorLayout = layout;
    UiSendCode(WinId::Error, NC_PREPARE_DIALOG, layout);
    if (hideConnect) UiHide(WinId::Connect);
    UiShow(WinId::Error);
    UiEnable(WinId::Main, false);
    UiSendCode(WinId::Error, NC_FOCUS_DIALOG, 0);
}

// Closes the connection and logs why; false, logging nothing, when it was closed already
// (a second report of the same loss).
template <typename... Why>
bool CloseConnectionFor(const Why&... why) {
    if (!DropConnection()) return false;
    LogConnection(why...);
    return true;
}

// Hides every panel of the logged-in hub and tells the siblings to close.
void RunUiReset() {
    isLoggedIn = false;
    UiRepaint(WinId::Main);
    for (WinId window :
         {WinId::Connect, WinId::Login, WinId::Clock, WinId::LogoffFrame, WinId::Tabs, WinId::News,
          WinId::HeadMenuBackground, WinId::HeadFile, WinId::HeadOptions, WinId::HeadWebsite,
          WinId::HeadHelp, WinId::About, WinId::Settings, WinId::Contacts, WinId::ContactsOptions,
          WinId::ContactsAdd}) {
        UiHide(window);
    }
    UiSaveOpenRoomPositions();
    UiBroadcastCode(NC_HUB_CLOSING, 0);
}

// Codes 7, 28 and 35: the connection ended under the hub.
void OnConnectionEnded(int code, ErrorState state, ErrorLayout layout, bool reconnecting) {
    if (!CloseConnectionFor("connection ended by code ", code)) return;
    SetLinkState(0);
    if (reconnecting) SetConnectPhase(PHASE_RECONNECTING);
    RunUiReset();
    RaiseErrorWindow(state, layout, false);
}

void RetryConnection() {
    UiEnable(WinId::Main, true);
    UiHide(WinId::Error);
    UiShow(WinId::Connect);
    StartConnectionAttempt();
}

// A count mixed (splitmix64) with a seed the system draws at random once: every attempt
// gets a key of its own that no other process can guess, and never 0.
std::uintptr_t NextAttemptKey() {
    static std::uint64_t state =
        (std::uint64_t{std::random_device{}()} << 32) ^ std::random_device{}();
    std::uintptr_t key = 0;
    while (key == 0) {
        std::uint64_t z = state += 0x9E3779B97F4A7C15u;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
        key = static_cast<std::uintptr_t>(z ^ (z >> 31));
    }
    return key;
}

bool ValidCredentialLength(int length) {
    return length >= kMinCredentialLength && length <= kMaxCredentialLength;
}

}  // namespace

void SetLinkState(int state) {
    linkState = state;
    UiRepaint(WinId::StatusLine);
}

void SetConnectPhase(int phase) {
    static constexpr std::string_view kPhaseNames[] = {"connecting", "loading data", "reconnecting",
                                                       "logging in"};
    if (connectionLogOn && phase >= 0 && phase < 4)
        RecordConnectionEvent(std::string("state ") + std::string(kPhaseNames[phase]));
    connectPhase = phase;
    UiRepaint(WinId::Connect);
}

void SetLoginFields(std::wstring userName, std::wstring password) {
    loginUserName = std::move(userName);
    loginPassword = std::move(password);
}

void ResetSession(bool loggedIn) {
    if (loggedIn)
        MarkConnected();
    else
        DropConnection();
    isLoggedIn = loggedIn;
    connectPhase = loggedIn ? PHASE_LOGGING_IN : PHASE_CONNECTING;
    linkState = loggedIn ? 1 : 0;
    errorState = 0;
    errorLayout = LAYOUT_OK_CANCEL;
    for (std::wstring* text :
         {&loginUserName, &loginPassword, &loggedInUserName, &loggedInPassword})
        std::wstring().swap(*text);
    connectionAttemptKey = 0;
}

void showErrorState(ErrorState state, ErrorLayout layout) {
    RaiseErrorWindow(state, layout, true);
}

void disconnectAndReset() {
    if (!CloseConnectionFor("connection closed by the hub")) return;
    RunUiReset();
}

bool GoOfflineAndReset() {
    if (!CloseConnectionFor("connection closed for the server's message")) return false;
    RunUiReset();
    SetLinkState(0);
    return true;
}

void StartConnectionAttempt() {
    static std::int64_t attempts = 0;
    LogConnection("connection attempt ", ++attempts);
    connectionAttemptKey = NextAttemptKey();
    UiStartConnectionThread(connectionAttemptKey);
}

void OnConnectionNotification(int code, std::uintptr_t argument) {
    if (code == NC_NO_CONNECTION || code == NC_REFUSED || code == NC_CONNECTED) {
        // A stray 6 would start a second receive loop and sender, a stray 4 or 5 would leave
        // the attempt's sockets open and its real report unheard.
        if (connectionAttemptKey == 0 || argument != connectionAttemptKey) return;
        connectionAttemptKey = 0;
        LogConnection("connection attempt ended by code ", code,
                      code == NC_CONNECTED ? ": connected"
                      : code == NC_REFUSED ? ": version refused"
                                           : ": no connection");
    }
    switch (code) {
        case NC_NO_CONNECTION:
            showErrorState(ERROR_NO_CONNECTION, LAYOUT_OK_CANCEL);
            break;
        case NC_REFUSED:
            showErrorState(ERROR_VERSION_OBSOLETE, LAYOUT_OK_CANCEL);
            break;
        case NC_CONNECTED:
            MarkConnected();
            SetLinkState(1);
            SetConnectPhase(PHASE_LOGGING_IN);
            UiStartTrafficThreads();
            SubmitLogin();
            break;
        case NC_CONNECTION_LOST:
            OnConnectionEnded(code, ERROR_CONNECTION_LOST, LAYOUT_OK_CANCEL, true);
            break;
        case NC_CHILD_VERSION_OBSOLETE:
            OnConnectionEnded(code, ERROR_VERSION_OBSOLETE, LAYOUT_OK_CANCEL, false);
            break;
        case NC_CHILD_SCREEN_TOO_SMALL:
            OnConnectionEnded(code, ERROR_CHILD_SCREEN_TOO_SMALL, LAYOUT_OK_ONLY, false);
            break;
        default:
            break;
    }
}

void SubmitLogin() {
    const int userLength = UiEditLength(WinId::LoginUserEdit);
    const int passwordLength = UiEditLength(WinId::LoginPasswordEdit);
    if (ValidCredentialLength(userLength) && ValidCredentialLength(passwordLength)) {
        SetLoginFields(UiEditText(WinId::LoginUserEdit), UiEditText(WinId::LoginPasswordEdit));
        UiEnable(WinId::Main, true);
        UiHide(WinId::Login);
        SetConnectPhase(PHASE_LOGGING_IN);
        UiShow(WinId::Connect);
        PushOutbound(ComposeLogin(loginUserName, loginPassword));
    } else if (userLength == 0 && passwordLength == 0) {
        UiHide(WinId::Connect);
        UiSendCode(WinId::Login, NC_PREPARE_DIALOG, 0);
        UiShow(WinId::Login);
        UiEnable(WinId::Main, false);
        UiSendCode(WinId::Login, NC_FOCUS_DIALOG, 0);
    } else {
        UiHide(WinId::Connect);
        showErrorState(ERROR_WRONG_LOGIN, LAYOUT_OK_CANCEL);
    }
}

void OnLoginReply(std::int32_t result) {
    LogConnection("login result ", result);
    switch (result) {
        case LOGIN_WRONG_CREDENTIALS:
            UiHide(WinId::Connect);
            showErrorState(ERROR_WRONG_LOGIN, LAYOUT_OK_CANCEL);
            break;
        case LOGIN_SUSPENDED:
            UiHide(WinId::Connect);
            // The server ends the connection; the panels stay as they are behind the error.
            if (CloseConnectionFor("connection closed for the login result")) SetLinkState(0);
            showErrorState(ERROR_SUSPENDED, LAYOUT_OK_CANCEL);
            break;
        case LOGIN_NOT_ACTIVATED:
            UiHide(WinId::Connect);
            showErrorState(ERROR_NOT_ACTIVATED, LAYOUT_OK_CANCEL);
            break;
        case LOGIN_ACCEPTED:
            SetConnectPhase(PHASE_LOADING);
            loggedInUserName = loginUserName;
            loggedInPassword = loginPassword;
            SetOwnPresence(PRESENCE_ONLINE);
            UiShowOwnPresenceOnline();
            if (sound == 1) UiPlaySound(SOUND_LOGIN_ACCEPTED);
            break;
        default:
            break;
    }
}

void OnDoubleLogin() {
    if (!GoOfflineAndReset()) return;
    RaiseErrorWindow(ERROR_DOUBLE_LOGIN, LAYOUT_OK_ONLY, false);
}

void OnInitialDataComplete() {
    LogConnection("initial data complete: the lobby is shown");
    UiEnable(WinId::Main, true);
    isLoggedIn = true;
    UiRepaint(WinId::Main);
    UiHide(WinId::Connect);
    UiHide(WinId::Login);
    for (WinId window :
         {WinId::Clock, WinId::LogoffFrame, WinId::Tabs, WinId::News, WinId::HeadMenuBackground}) {
        UiShow(window);
    }
    UiRefreshRoomList();
    if (contactsAtLogin == 1) {
        UiRefreshContacts();
        UiMove(WinId::Contacts, contactsRect.left, contactsRect.top, contactsRect.width,
               contactsRect.height);
        UiShow(WinId::Contacts);
    }
}

void OnAccountStatus(std::int32_t value) {
    if (value == 1) {
        if (!GoOfflineAndReset()) return;
        RaiseErrorWindow(ERROR_DEACTIVATED, LAYOUT_OK_ONLY, false);
    } else if (value == 3) {
        if (GoOfflineAndReset()) SetConnectPhase(PHASE_RECONNECTING);
        showErrorState(ERROR_SUSPENDED, LAYOUT_OK_CANCEL);
    }
}

void resetLoginState() {
    ClearOutbound();
    ResetAcknowledgements();
    ResetLobbyForReconnect();
    ClearNews();
    SetOwnPresence(PRESENCE_NOT_CONNECTED);
    UiResetListViews();
    for (WinId window : {WinId::RoomColumn1, WinId::RoomColumn2, WinId::RoomColumn3})
        UiShow(window);
    for (WinId window :
         {WinId::TournamentColumn1, WinId::TournamentColumn2, WinId::TournamentColumn3,
          WinId::CashOut, WinId::Deposit, WinId::EnterRoom, WinId::EnterTournament}) {
        UiHide(window);
    }
}

void OnErrorOk() {
    switch (errorState) {
        case ERROR_NO_CONNECTION:
            RetryConnection();
            return;
        case ERROR_CONNECTION_LOST:
            resetLoginState();
            RetryConnection();
            return;
        case ERROR_WRONG_LOGIN:
            UiSendCode(WinId::Login, NC_PREPARE_DIALOG, 0);
            UiShow(WinId::Login);
            UiHide(WinId::Error);
            UiSendCode(WinId::Login, NC_FOCUS_DIALOG, 0);
            return;
        case ERROR_VERSION_OBSOLETE:
            UiOpenWebPage(WebPage::Download, L"");
            break;
        case ERROR_NOT_ACTIVATED:
        case ERROR_DEACTIVATED:
            UiOpenWebPage(WebPage::Activation, L"&user=" + loginUserName);
            break;
        case ERROR_SUSPENDED:
            UiOpenWebPage(WebPage::Contact, L"");
            break;
        default:  // double login, screen too small, and the title-only states
            break;
    }
    // Every state but the three above ends the program, after opening its page.
    UiPostClose();
}

void OnErrorCancel() {
    UiPostClose();
}

void OnLogoff() {
    loggedInUserName.clear();
    loggedInPassword.clear();
    UiPostClose();
}

void OnSystemTimeChanged() {
    if (isConnected.load()) PushOutbound(ComposeTimeRequest());
}
