// The connection and login state machine of the main window, as the user sees it:
// connect window, status line, error window and login window. Main window's thread only.
#pragma once

#include <cstdint>
#include <string>

// UI state.
extern bool isLoggedIn;
extern int connectPhase;  // 0 connecting, 1 loading data, 2 reconnecting, 3 logging in
extern int linkState;     // 0 offline, 1 connected
// What the error window says, and what its OK button does.
enum ErrorState : int {
    ERROR_NO_CONNECTION = 2,           // OK retries
    ERROR_VERSION_OBSOLETE = 3,        // OK opens the download page and closes
    ERROR_CONNECTION_LOST = 4,         // OK resets the login state and retries
    ERROR_WRONG_LOGIN = 5,             // OK brings the login window back
    ERROR_DOUBLE_LOGIN = 6,            // OK closes
    ERROR_NOT_ACTIVATED = 7,           // OK opens the activation page and closes
    ERROR_SUSPENDED = 8,               // OK opens the contact page and closes
    ERROR_DEACTIVATED = 9,             // as ERROR_NOT_ACTIVATED
    ERROR_CHILD_SCREEN_TOO_SMALL = 10  // OK closes
};
enum ErrorLayout : int {
    LAYOUT_OK_CANCEL = 1,
    LAYOUT_OK_ONLY = 2,
};
extern int errorState;   // an ErrorState while the error window is up
extern int errorLayout;  // an ErrorLayout
extern std::wstring loginUserName, loginPassword;
extern std::wstring loggedInUserName, loggedInPassword;
// The key of the connection attempt under way, from the start of its thread to its one
// report (code 4, 5 or 6, the key in lParam); 0 when none is. Any process can post those
// codes to the main window: one without the key means nothing.
extern std::uintptr_t connectionAttemptKey;

enum ConnectPhase : int {
    PHASE_CONNECTING = 0,
    PHASE_LOADING = 1,
    PHASE_RECONNECTING = 2,
    PHASE_LOGGING_IN = 3
};

// The setters of the UI state above (each repaints what shows it).
void SetLinkState(int state);
void SetConnectPhase(int phase);
// The login window's fields as last submitted or remembered by config.ini.
void SetLoginFields(std::wstring userName, std::wstring password);
// Where a test or a benchmark run starts, with nothing shown or sent: logged in (connected,
// the status line on, the phase logging in) or as before start-up (disconnected, offline,
// connecting); either way no error, no login fields (their memory freed) and no attempt
// under way.
void ResetSession(bool loggedIn);

// Starts a connection thread: at start-up and on the error window's OK.
void StartConnectionAttempt();
// Notification codes 4, 5, 6, 7, 28 and 35 posted to the main window, with their lParam.
// 4, 5 and 6 count only with the key of the attempt under way.
void OnConnectionNotification(int code, std::uintptr_t argument);

void showErrorState(ErrorState state, ErrorLayout layout);
void disconnectAndReset();
// disconnectAndReset, then the status line offline; false when there was no connection.
bool GoOfflineAndReset();
void resetLoginState();

// The login submit: on code 6, the login window's "Log In" and Enter in its fields.
void SubmitLogin();

// Handlers of the server's login-related messages.
void OnLoginReply(std::int32_t result);
void OnDoubleLogin();
void OnInitialDataComplete();
void OnAccountStatus(std::int32_t value);

// Buttons of the error window and the main window.
void OnErrorOk();
void OnErrorCancel();  // Cancel and the close button: the program ends
void OnLogoff();
// WM_TIMECHANGE: ask the server for its clock again while connected.
void OnSystemTimeChanged();
