// The connection and login state machine of the main window, as the user sees it:
// connect window, status line, error window and login window. Main window's thread only.
#pragma once

#include <cstdint>
#include <string>

// UI state.
extern bool isLoggedIn;
extern int connectPhase;  // 0 connecting, 1 loading data, 2 reconnecting, 3 logging in
extern int linkState;     // 0 offline, 1 connected
extern int errorState;    // 2..10 while the error window is up
extern int errorLayout;   // 1 OK and Cancel, 2 OK only
extern std::wstring loginUserName, loginPassword;
extern std::wstring loggedInUserName, loggedInPassword;

enum ConnectPhase : int {
    PHASE_CONNECTING = 0,
    PHASE_LOADING = 1,
    PHASE_RECONNECTING = 2,
    PHASE_LOGGING_IN = 3
};

// Notification codes 4, 5, 6, 7, 28 and 35 posted to the main window.
void OnConnectionNotification(int code);

void showErrorState(int state, int layout);
void disconnectAndReset();
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
