// The connection and login state machine of the main window: what each notification,
// login reply and error-window button does to the connect window, the status line, the
// error and login windows and the connection.
#include "session/session.h"

#include "net/notification_codes.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/wire.h"

bool isLoggedIn = false;
int connectPhase = PHASE_CONNECTING;
int linkState = 0;
int errorState = 0;
int errorLayout = 1;
std::wstring loginUserName, loginPassword;
std::wstring loggedInUserName, loggedInPassword;

namespace {

constexpr int kMinCredentialLength = 4;
constexpr int kMaxCredentialLength = 15;
constexpr int kSoundLoginAccepted = 1003;

// Everything showErrorState does; callers that have just run the UI reset (which hides
// the connect window) skip hiding it again.
void RaiseErrorWindow(int state, int layout, bool hideConnect) {
    errorState = state;
    errorLayout = layout;
    UiSendCode(WinId::Error, NC_PREPARE_DIALOG, layout);
    if (hideConnect) UiHide(WinId::Connect);
    UiShow(WinId::Error);
    UiEnable(WinId::Main, false);
    UiSendCode(WinId::Error, NC_FOCUS_DIALOG, 0);
}

void ShowLinkState(int state) {
    linkState = state;
    UiRepaint(WinId::StatusLine);
}

void ShowConnectPhase(int phase) {
    connectPhase = phase;
    UiRepaint(WinId::Connect);
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
void OnConnectionEnded(int state, int layout, bool reconnecting) {
    if (!isConnected.load()) return;  // a second report of the same loss
    isConnected = false;
    CloseConnectionPair();
    ShowLinkState(0);
    if (reconnecting) ShowConnectPhase(PHASE_RECONNECTING);
    RunUiReset();
    RaiseErrorWindow(state, layout, false);
}

void RetryConnection() {
    UiEnable(WinId::Main, true);
    UiHide(WinId::Error);
    UiShow(WinId::Connect);
    UiStartConnectionThread();
}

bool ValidCredentialLength(int length) {
    return length >= kMinCredentialLength && length <= kMaxCredentialLength;
}

}  // namespace

void showErrorState(int state, int layout) {
    RaiseErrorWindow(state, layout, true);
}

void disconnectAndReset() {
    if (!isConnected.load()) return;
    isConnected = false;
    CloseConnectionPair();
    RunUiReset();
}

void OnConnectionNotification(int code) {
    switch (code) {
        case NC_NO_CONNECTION:
            showErrorState(2, 1);
            break;
        case NC_REFUSED:
            showErrorState(3, 1);
            break;
        case NC_CONNECTED:
            isConnected = true;
            ShowLinkState(1);
            ShowConnectPhase(PHASE_LOGGING_IN);
            UiStartTrafficThreads();
            SubmitLogin();
            break;
        case NC_CONNECTION_LOST:
            OnConnectionEnded(4, 1, true);
            break;
        case NC_CHILD_VERSION_OBSOLETE:
            OnConnectionEnded(3, 1, false);
            break;
        case NC_CHILD_SCREEN_TOO_SMALL:
            OnConnectionEnded(10, 2, false);
            break;
        default:
            break;
    }
}

void SubmitLogin() {
    const int userLength = UiEditLength(WinId::LoginUserEdit);
    const int passwordLength = UiEditLength(WinId::LoginPasswordEdit);
    if (ValidCredentialLength(userLength) && ValidCredentialLength(passwordLength)) {
        loginUserName = UiEditText(WinId::LoginUserEdit);
        loginPassword = UiEditText(WinId::LoginPasswordEdit);
        UiEnable(WinId::Main, true);
        UiHide(WinId::Login);
        ShowConnectPhase(PHASE_LOGGING_IN);
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
        showErrorState(5, 1);
    }
}

void OnLoginReply(std::int32_t result) {
    switch (result) {
        case LOGIN_WRONG_CREDENTIALS:
            UiHide(WinId::Connect);
            showErrorState(5, 1);
            break;
        case LOGIN_SUSPENDED:
            UiHide(WinId::Connect);
            // The server ends the connection; the panels stay as they are behind the error.
            if (isConnected.load()) {
                isConnected = false;
                CloseConnectionPair();
                ShowLinkState(0);
            }
            showErrorState(8, 1);
            break;
        case LOGIN_NOT_ACTIVATED:
            UiHide(WinId::Connect);
            showErrorState(7, 1);
            break;
        case LOGIN_ACCEPTED:
            ShowConnectPhase(PHASE_LOADING);
            loggedInUserName = loginUserName;
            loggedInPassword = loginPassword;
            ownPresence = PRESENCE_ONLINE;
            UiShowOwnPresenceOnline();
            if (sound == 1) UiPlaySound(kSoundLoginAccepted);
            break;
        default:
            break;
    }
}

void OnDoubleLogin() {
    if (!isConnected.load()) return;
    disconnectAndReset();
    ShowLinkState(0);
    RaiseErrorWindow(6, 2, false);
}

void OnInitialDataComplete() {
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
        UiMove(WinId::Contacts, contactsLeft, contactsTop, contactsWidth, contactsHeight);
        UiShow(WinId::Contacts);
    }
}

void OnAccountStatus(std::int32_t value) {
    if (value == 1) {
        if (!isConnected.load()) return;
        disconnectAndReset();
        ShowLinkState(0);
        RaiseErrorWindow(9, 2, false);
    } else if (value == 3) {
        if (isConnected.load()) {
            disconnectAndReset();
            ShowLinkState(0);
            connectPhase = PHASE_RECONNECTING;
        }
        showErrorState(8, 1);
    }
}

void resetLoginState() {
    ClearOutbound();
    acknowledgedNumber = 0;
    pendingAcknowledgement = 0;
    ResetLobbyForReconnect();
    ownPresence = PRESENCE_NOT_CONNECTED;
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
        case 2:
            RetryConnection();
            break;
        case 4:
            resetLoginState();
            RetryConnection();
            break;
        case 3:
            UiOpenWebPage(WebPage::Download, L"");
            UiPostClose();
            break;
        case 5:
            UiSendCode(WinId::Login, NC_PREPARE_DIALOG, 0);
            UiShow(WinId::Login);
            UiHide(WinId::Error);
            UiSendCode(WinId::Login, NC_FOCUS_DIALOG, 0);
            break;
        case 7:
        case 9:
            UiOpenWebPage(WebPage::Activation, L"&user=" + loginUserName);
            UiPostClose();
            break;
        case 8:
            UiOpenWebPage(WebPage::Contact, L"");
            UiPostClose();
            break;
        default:  // 6, 10, and the title-only states
            UiPostClose();
            break;
    }
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
