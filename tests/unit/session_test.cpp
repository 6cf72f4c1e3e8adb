// The connection and login state machine, checked as the window operations it performs,
// the messages it queues and the state it leaves, in one line compared whole.
#include <gtest/gtest.h>

#include "lobby/presence.h"
#include "net/link.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/text_convert.h"
#include "session/session.h"
#include "settings/settings.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

// A code with the key of the attempt under way, as its thread reports, or with 0, as another
// process may post it.
const auto Report = [](int code) { OnConnectionNotification(code, connectionAttemptKey); };
const auto Forged = [](int code) { OnConnectionNotification(code, 0); };

void Reset(bool connected, bool attempt = false) {
    ResetSession(connected);
    SetOwnPresence(PRESENCE_NOT_CONNECTED);
    if (attempt) StartConnectionAttempt();
    ResetUiFake();
    ResetSettingsToDefaults();
    while (!PopOutbound().empty()) {
    }
    uiEditTexts = {{WinId::LoginUserEdit, L"demo"}, {WinId::LoginPasswordEdit, L"demo1234"}};
}

// The window operations and queued messages, then the state. The end of showing the
// error window shows as ERROR, the hiding of the logged-in hub as RESET.
std::string Outcome() {
    std::string text;
    for (const std::string& call : uiCalls)
        text += call + ", ";
    for (std::string message = PopOutbound(); !message.empty(); message = PopOutbound())
        text += "queue " + message + ", ";
    text += "error " + std::to_string(errorState) + " phase " + std::to_string(connectPhase);
    text += std::string(linkState ? " link" : "") + (isConnected ? " connected" : "") +
            (connectionAttemptKey ? " attempt" : "") + (isLoggedIn ? " in" : "");
    if (ownPresence) text += " presence " + std::to_string(ownPresence);
    if (!loggedInUserName.empty() || !loggedInPassword.empty())
        text += " as " + Utf8FromWide(loggedInUserName + L"/" + loggedInPassword);
    const std::pair<std::string, const char*> shortened[] = {
        {"show Error, enable Main 0, send Error 2 0", "ERROR"},
        {"repaint Main, hide Connect, hide Login, hide Clock, hide LogoffFrame, hide Tabs, hide "
         "News, hide HeadMenuBackground, hide HeadFile, hide HeadOptions, hide HeadWebsite, hide "
         "HeadHelp, hide About, hide Settings, hide Contacts, hide ContactsOptions, hide "
         "ContactsAdd, save room positions, broadcast 1 0",
         "RESET"}};
    for (const auto& [calls, shown] : shortened)
        if (auto at = text.find(calls); at != std::string::npos)
            text.replace(at, calls.size(), shown);
    return text;
}

// The login fields' lengths come as user * 100 + password.
void Submit(int lengths) {
    uiEditTexts = {{WinId::LoginUserEdit, std::wstring(lengths / 100, L'u')},
                   {WinId::LoginPasswordEdit, std::wstring(lengths % 100, L'p')}};
    SubmitLogin();
}
void ErrorOk(int state) {
    showErrorState(static_cast<ErrorState>(state), LAYOUT_OK_CANCEL);
    uiCalls.clear();
    SetLoginFields(L"demo", L"");
    OnErrorOk();
}
// The sound setting and the result come as sound * 10 + result.
void LoginReply(int soundAndResult) {
    SetSetting(kSoundKey, soundAndResult / 10);
    SetLoginFields(L"demo", L"demo1234");
    OnLoginReply(soundAndResult % 10);
}
void InitialData(int contactsShown) {
    SetSetting(kContactsAtLoginKey, contactsShown);
    SetContactsRect({900, 10, 300, 400});
    OnInitialDataComplete();
}

TEST(Session, EachEventActsByTheStateItFinds) {
    const struct {
        void (*act)(int);
        int argument;
        bool connected, attempt;
        const char* outcome;
    } cases[] = {
        {Submit, 0, true, false,
         "hide Connect, send Login 3 0, show Login, enable Main 0, send Login 2 0, error 0 phase "
         "3 link connected in"},
        {Submit, 415, true, false,
         "enable Main 1, hide Login, repaint Connect, show Connect, queue "
         "11,dXV1dSxwcHBwcHBwcHBwcHBwcHA=,!, error 0 phase 3 link connected in"},
        {Submit, 1608, true, false,
         "hide Connect, send Error 3 1, hide Connect, ERROR, error 5 phase 3 link connected in"},
        {Submit, 416, true, false,
         "hide Connect, send Error 3 1, hide Connect, ERROR, error 5 phase 3 link connected in"},
        {Submit, 8, true, false,
         "hide Connect, send Error 3 1, hide Connect, ERROR, error 5 phase 3 link connected in"},
        {LoginReply, 15, true, false,
         "repaint Connect, presence online, sound 1003, error 0 phase 1 link connected in "
         "presence 4 as demo/demo1234"},
        {LoginReply, 5, true, false,
         "repaint Connect, presence online, error 0 phase 1 link connected in presence 4 as "
         "demo/demo1234"},
        {LoginReply, 6, true, false, "error 0 phase 3 link connected in"},
        // The second thread's report of the same loss.
        {Report, NC_CONNECTION_LOST, false, false, "error 0 phase 0"},
        {Report, NC_NO_CONNECTION, false, true,
         "send Error 3 1, hide Connect, ERROR, error 2 phase 0"},
        {Report, NC_REFUSED, false, true, "send Error 3 1, hide Connect, ERROR, error 3 phase 0"},
        // Codes 4, 5 and 6 reach the main window from any process; only the one report of
        // the hub's own connection thread counts.
        {Report, NC_CONNECTED, false, false, "error 0 phase 0"},
        {Report, NC_NO_CONNECTION, true, false, "error 0 phase 3 link connected in"},
        {Report, 99, false, true, "error 0 phase 0 attempt"},
        {Forged, NC_REFUSED, false, true, "error 0 phase 0 attempt"},
        {Forged, NC_CONNECTED, false, false, "error 0 phase 0"},
        {[](int) { OnDoubleLogin(); }, 0, false, false, "error 0 phase 0"},
        {OnAccountStatus, 1, false, false, "error 0 phase 0"},
        {OnAccountStatus, 1, true, false,
         "RESET, repaint StatusLine, send Error 3 2, ERROR, error 9 phase 3"},
        {Report, NC_CONNECTION_LOST, true, false,
         "repaint StatusLine, repaint Connect, RESET, send Error 3 1, ERROR, error 4 phase 2"},
        {OnAccountStatus, 3, false, false, "send Error 3 1, hide Connect, ERROR, error 8 phase 0"},
        {OnAccountStatus, 2, true, false, "error 0 phase 3 link connected in"},
        {ErrorOk, 3, false, false, "web 0, post close, error 3 phase 0"},
        {ErrorOk, 6, false, false, "post close, error 6 phase 0"},
        {ErrorOk, 7, false, false, "web 3&user=demo, post close, error 7 phase 0"},
        {ErrorOk, 8, false, false, "web 4, post close, error 8 phase 0"},
        {InitialData, 0, false, false,
         "enable Main 1, repaint Main, hide Connect, hide Login, show Clock, show LogoffFrame, "
         "show Tabs, show News, show HeadMenuBackground, refresh room list, error 0 phase 0 in"},
        {[](int) {
             LoginReply(5);
             uiCalls.clear();
             OnLogoff();
         },
         0, true, false, "post close, error 0 phase 1 link connected in presence 4"},
        {[](int) { OnSystemTimeChanged(); }, 0, true, false,
         "queue 10,0,!, error 0 phase 3 link connected in"},
        {[](int) { OnSystemTimeChanged(); }, 0, false, false, "error 0 phase 0"},
    };
    for (const auto& c : cases) {
        Reset(c.connected, c.attempt);
        c.act(c.argument);
        EXPECT_EQ(Outcome(), c.outcome);
    }
}

}  // namespace
