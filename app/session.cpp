// The connection and login state machine of the main window.
#include "app/session.h"

bool isLoggedIn = false;
int connectPhase = PHASE_CONNECTING;
int linkState = 0;
int errorState = 0;
int errorLayout = 1;
std::wstring loginUserName, loginPassword;
std::wstring loggedInUserName, loggedInPassword;

void OnConnectionNotification(int) {}
void showErrorState(int state, int layout) {
    errorState = state;
    errorLayout = layout;
}
void disconnectAndReset() {}
void resetLoginState() {}
void SubmitLogin() {}
void OnLoginReply(std::int32_t) {}
void OnDoubleLogin() {}
void OnInitialDataComplete() {}
void OnAccountStatus(std::int32_t) {}
void OnErrorOk() {}
void OnErrorCancel() {}
void OnLogoff() {}
void OnSystemTimeChanged() {}
