// The connection and login state machine, checked as the sequences of window
// operations it performs and the messages it queues.
#include <gtest/gtest.h>

#include "net/notification_codes.h"
#include "session/news.h"
#include "session/session.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/link.h"
#include "net/queues.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

using Calls = std::vector<std::string>;

// Calls of showErrorState(state, layout) as the window system sees them.
Calls ErrorShown(int layout, bool hideConnect = true) {
    Calls calls{"send Error 3 " + std::to_string(layout)};
    if (hideConnect) calls.push_back("hide Connect");
    calls.insert(calls.end(), {"show Error", "enable Main 0", "send Error 2 0"});
    return calls;
}

// The UI reset: panels hidden, room positions saved, siblings told to close.
Calls UiReset() {
    return {
        "repaint Main",     "hide Connect",        "hide Login",       "hide Clock",
        "hide LogoffFrame", "hide Tabs",           "hide News",        "hide HeadMenuBackground",
        "hide HeadFile",    "hide HeadOptions",    "hide HeadWebsite", "hide HeadHelp",
        "hide About",       "hide Settings",       "hide Contacts",    "hide ContactsOptions",
        "hide ContactsAdd", "save room positions", "broadcast 1 0"};
}

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

std::vector<std::string> DrainOutbound() {
    std::vector<std::string> messages;
    for (std::string text = PopOutbound(); !text.empty(); text = PopOutbound())
        messages.push_back(text);
    return messages;
}

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetUiFake();
        ResetSettingsToDefaults();
        DrainOutbound();
        isConnected = false;
        connectionAttemptUnderWay = false;
        isLoggedIn = false;
        connectPhase = PHASE_CONNECTING;
        linkState = 0;
        errorState = 0;
        loginUserName = loginPassword = loggedInUserName = loggedInPassword = L"";
        acknowledgedNumber = 0;
        pendingAcknowledgement = 0;
    }

    void Connected() {
        isConnected = true;
        linkState = 1;
        connectPhase = PHASE_LOGGING_IN;
    }

    void Fields(std::wstring user, std::wstring password) {
        uiEditTexts[WinId::LoginUserEdit] = std::move(user);
        uiEditTexts[WinId::LoginPasswordEdit] = std::move(password);
    }
};

TEST_F(SessionTest, ConnectedWithASavedLoginSubmitsItInOrder) {
    Fields(L"demo", L"demo1234");
    connectionAttemptUnderWay = true;
    OnConnectionNotification(NC_CONNECTED);
    EXPECT_EQ(uiCalls, (Calls{"repaint StatusLine", "repaint Connect", "start traffic threads",
                              "enable Main 1", "hide Login", "repaint Connect", "show Connect"}));
    EXPECT_TRUE(isConnected.load());
    EXPECT_EQ(linkState, 1);
    EXPECT_EQ(connectPhase, PHASE_LOGGING_IN);
    EXPECT_EQ(DrainOutbound(), (std::vector<std::string>{"11,ZGVtbyxkZW1vMTIzNA==,!"}));
    EXPECT_EQ(loginUserName, L"demo");
}

TEST_F(SessionTest, LoginFieldLengthsDecideBetweenSubmitLoginWindowAndError) {
    struct Case {
        const char* note;
        std::wstring user, password;
        bool sent;
        Calls calls;
    } cases[] = {
        {"both empty: the login window",
         L"",
         L"",
         false,
         {"hide Connect", "send Login 3 0", "show Login", "enable Main 0", "send Login 2 0"}},
        {"three characters", L"abc", L"password", false, Join({{"hide Connect"}, ErrorShown(1)})},
        {"one field empty", L"", L"password", false, Join({{"hide Connect"}, ErrorShown(1)})},
        {"sixteen characters", L"abcdefghijklmnop", L"password", false,
         Join({{"hide Connect"}, ErrorShown(1)})},
        {"four and fifteen",
         L"abcd",
         L"123456789012345",
         true,
         {"enable Main 1", "hide Login", "repaint Connect", "show Connect"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        SetUp();
        Connected();
        Fields(c.user, c.password);
        SubmitLogin();
        EXPECT_EQ(uiCalls, c.calls);
        EXPECT_EQ(DrainOutbound().size(), c.sent ? 1u : 0u);
        EXPECT_EQ(errorState, (c.sent || (c.user.empty() && c.password.empty())) ? 0 : 5);
        EXPECT_TRUE(isConnected.load()) << "a refused submit keeps the connection";
    }
}

TEST_F(SessionTest, LoginRepliesLeadToTheirStates) {
    struct Case {
        int result;
        int errorState;
        bool stillConnected;
        Calls calls;
    } cases[] = {
        {2, 5, true, Join({{"hide Connect"}, ErrorShown(1)})},
        {3, 8, false, Join({{"hide Connect", "repaint StatusLine"}, ErrorShown(1)})},
        {4, 7, true, Join({{"hide Connect"}, ErrorShown(1)})},
        {6, 0, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.result);
        SetUp();
        Connected();
        OnLoginReply(c.result);
        EXPECT_EQ(uiCalls, c.calls);
        EXPECT_EQ(errorState, c.errorState);
        EXPECT_EQ(isConnected.load(), c.stillConnected);
        EXPECT_EQ(linkState, c.stillConnected ? 1 : 0);
    }
}

TEST_F(SessionTest, AcceptedLoginRemembersTheNamesAndPlaysTheSound) {
    Connected();
    loginUserName = L"demo";
    loginPassword = L"demo1234";
    OnLoginReply(5);
    EXPECT_EQ(uiCalls, (Calls{"repaint Connect", "presence online", "sound 1003"}));
    EXPECT_EQ(connectPhase, PHASE_LOADING);
    EXPECT_EQ(loggedInUserName, L"demo");
    EXPECT_EQ(loggedInPassword, L"demo1234");
    EXPECT_EQ(ownPresence, PRESENCE_ONLINE);

    SetUp();
    sound = 0;
    OnLoginReply(5);
    EXPECT_EQ(uiCalls, (Calls{"repaint Connect", "presence online"}));
}

TEST_F(SessionTest, ALostConnectionShowsOneErrorWindowForTwoReports) {
    Connected();
    OnConnectionNotification(NC_CONNECTION_LOST);
    EXPECT_EQ(uiCalls,
              Join({{"repaint StatusLine", "repaint Connect"}, UiReset(), ErrorShown(1, false)}));
    EXPECT_EQ(errorState, 4);
    EXPECT_EQ(connectPhase, PHASE_RECONNECTING);
    EXPECT_FALSE(isConnected.load());

    uiCalls.clear();
    OnConnectionNotification(NC_CONNECTION_LOST);
    EXPECT_EQ(uiCalls, Calls{}) << "the second thread's report changes nothing";
}

TEST_F(SessionTest, SiblingReportsEndTheConnectionWithTheirOwnStates) {
    struct Case {
        int code, state, layout;
    } cases[] = {{NC_CHILD_VERSION_OBSOLETE, 3, 1}, {NC_CHILD_SCREEN_TOO_SMALL, 10, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        SetUp();
        Connected();
        OnConnectionNotification(c.code);
        EXPECT_EQ(uiCalls, Join({{"repaint StatusLine"}, UiReset(), ErrorShown(c.layout, false)}));
        EXPECT_EQ(errorState, c.state);
        EXPECT_EQ(connectPhase, PHASE_LOGGING_IN) << "the connect phase is kept";
    }
}

TEST_F(SessionTest, ConnectionThreadOutcomes) {
    StartConnectionAttempt();
    EXPECT_EQ(uiCalls, Calls{"start connection thread"});
    uiCalls.clear();
    OnConnectionNotification(NC_NO_CONNECTION);
    EXPECT_EQ(errorState, 2);
    EXPECT_EQ(uiCalls, ErrorShown(1));
    SetUp();
    StartConnectionAttempt();
    OnConnectionNotification(NC_REFUSED);
    EXPECT_EQ(errorState, 3);
    SetUp();
    OnConnectionNotification(99);
    EXPECT_EQ(uiCalls, Calls{});
}

// Codes 4, 5 and 6 reach the main window from any process; only the one report of the
// hub's own connection thread counts.
TEST_F(SessionTest, ConnectionReportsCountOnlyDuringAnAttempt) {
    struct Case {
        const char* note;
        bool attempt;  // a connection thread was started
        bool connected;
        int code;
        bool acts;
    } cases[] = {
        {"no connection, during an attempt", true, false, NC_NO_CONNECTION, true},
        {"refused, during an attempt", true, false, NC_REFUSED, true},
        {"connected, during an attempt", true, false, NC_CONNECTED, true},
        {"no connection, no attempt", false, false, NC_NO_CONNECTION, false},
        {"refused, no attempt", false, false, NC_REFUSED, false},
        {"connected, no attempt", false, false, NC_CONNECTED, false},
        {"no connection while connected", false, true, NC_NO_CONNECTION, false},
        {"refused while connected", false, true, NC_REFUSED, false},
        {"a second receive loop and sender while connected", false, true, NC_CONNECTED, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        SetUp();
        Fields(L"demo", L"demo1234");
        if (c.connected) Connected();
        if (c.attempt) StartConnectionAttempt();
        uiCalls.clear();
        OnConnectionNotification(c.code);
        EXPECT_EQ(!uiCalls.empty(), c.acts);
        EXPECT_EQ(DrainOutbound().size(), c.acts && c.code == NC_CONNECTED ? 1u : 0u);
        EXPECT_EQ(errorState != 0, c.acts && c.code != NC_CONNECTED);
        EXPECT_EQ(isConnected.load(), c.connected || (c.acts && c.code == NC_CONNECTED));
        EXPECT_FALSE(connectionAttemptUnderWay) << "the attempt has had its report";

        // A repeated report of the same attempt has no effect either.
        uiCalls.clear();
        errorState = 0;
        OnConnectionNotification(c.code);
        EXPECT_EQ(uiCalls, Calls{});
        EXPECT_EQ(errorState, 0);
    }
}

TEST_F(SessionTest, ErrorOkStartsTheNextAttempt) {
    for (ErrorState state : {ERROR_NO_CONNECTION, ERROR_CONNECTION_LOST}) {
        SCOPED_TRACE(state);
        SetUp();
        errorState = state;
        OnErrorOk();
        EXPECT_TRUE(connectionAttemptUnderWay);
        EXPECT_EQ(uiCalls.back(), "start connection thread");
        Fields(L"demo", L"demo1234");
        OnConnectionNotification(NC_CONNECTED);
        EXPECT_TRUE(isConnected.load());
    }
}

TEST_F(SessionTest, DoubleLoginEndsTheConnectionOnlyWhileConnected) {
    Connected();
    OnDoubleLogin();
    EXPECT_EQ(uiCalls, Join({UiReset(), {"repaint StatusLine"}, ErrorShown(2, false)}));
    EXPECT_EQ(errorState, 6);
    EXPECT_FALSE(isConnected.load());

    SetUp();
    OnDoubleLogin();
    EXPECT_EQ(uiCalls, Calls{});
}

TEST_F(SessionTest, AccountStatusDeactivatedOrSuspended) {
    Connected();
    OnAccountStatus(1);
    EXPECT_EQ(uiCalls, Join({UiReset(), {"repaint StatusLine"}, ErrorShown(2, false)}));
    EXPECT_EQ(errorState, 9);

    SetUp();
    OnAccountStatus(1);
    EXPECT_EQ(uiCalls, Calls{}) << "value 1 needs a connection";

    SetUp();
    Connected();
    OnAccountStatus(3);
    EXPECT_EQ(uiCalls, Join({UiReset(), {"repaint StatusLine", "repaint Connect"}, ErrorShown(1)}));
    EXPECT_EQ(errorState, 8);
    EXPECT_EQ(connectPhase, PHASE_RECONNECTING);

    SetUp();
    OnAccountStatus(3);
    EXPECT_EQ(uiCalls, ErrorShown(1)) << "value 3 shows its error even when not connected";
    EXPECT_EQ(errorState, 8);

    SetUp();
    Connected();
    OnAccountStatus(2);
    EXPECT_EQ(uiCalls, Calls{});
    EXPECT_TRUE(isConnected.load());
}

TEST_F(SessionTest, ErrorOkActsByState) {
    struct Case {
        int state;
        Calls calls;
    } cases[] = {
        {2, {"enable Main 1", "hide Error", "show Connect", "start connection thread"}},
        {3, {"web 0", "post close"}},
        {5, {"send Login 3 0", "show Login", "hide Error", "send Login 2 0"}},
        {6, {"post close"}},
        {7, {"web 3&user=demo", "post close"}},
        {8, {"web 4", "post close"}},
        {9, {"web 3&user=demo", "post close"}},
        {10, {"post close"}},
        {0, {"post close"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        SetUp();
        loginUserName = L"demo";
        errorState = c.state;
        OnErrorOk();
        EXPECT_EQ(uiCalls, c.calls);
    }
}

TEST_F(SessionTest, OkAfterALostConnectionResetsEverythingAndReconnects) {
    PushOutbound("32,5,!");
    acknowledgedNumber = 7;
    pendingAcknowledgement = 12;
    players.push_back(PlayerRecord{3, L"x", 0, 4});
    AddRememberedRoom(rooms, 5, 10, 20);
    rooms[0].listed = rooms[0].windowOpen = true;
    rooms[0].users = 4;
    FirstRoomListPending = false;
    SelectedRoomId = 5;
    newsLines = {L"yesterday's news"};
    errorState = 4;
    OnErrorOk();
    EXPECT_TRUE(newsLines.empty()) << "the server sends its news again";
    EXPECT_EQ(DrainOutbound(), std::vector<std::string>{});
    EXPECT_EQ(acknowledgedNumber.load(), 0);
    EXPECT_EQ(pendingAcknowledgement.load(), 0);
    EXPECT_TRUE(players.empty());
    ASSERT_EQ(rooms.size(), 1u);
    EXPECT_EQ(rooms[0].windowX, 10) << "remembered places stay";
    EXPECT_FALSE(rooms[0].listed || rooms[0].windowOpen);
    EXPECT_EQ(rooms[0].users, 0);
    EXPECT_TRUE(FirstRoomListPending);
    EXPECT_EQ(SelectedRoomId, 0);
    EXPECT_EQ(uiCalls,
              (Calls{"repaint News", "reset list views", "show RoomColumn1", "show RoomColumn2",
                     "show RoomColumn3", "hide TournamentColumn1", "hide TournamentColumn2",
                     "hide TournamentColumn3", "hide CashOut", "hide Deposit", "hide EnterRoom",
                     "hide EnterTournament", "enable Main 1", "hide Error", "show Connect",
                     "start connection thread"}));
    rooms.clear();
}

TEST_F(SessionTest, InitialDataShowsTheLobbyAndTheContactsWhenWanted) {
    SetContactsAtLogin(1);
    contactsRect = {900, 10, 300, 400};
    OnInitialDataComplete();
    EXPECT_TRUE(isLoggedIn);
    EXPECT_EQ(uiCalls, (Calls{"enable Main 1", "repaint Main", "hide Connect", "hide Login",
                              "show Clock", "show LogoffFrame", "show Tabs", "show News",
                              "show HeadMenuBackground", "refresh room list", "refresh contacts",
                              "move Contacts 900 10 300 400", "show Contacts"}));
    SetUp();
    SetContactsAtLogin(0);
    OnInitialDataComplete();
    EXPECT_EQ(uiCalls.back(), "refresh room list");
}

TEST_F(SessionTest, LogoffForgetsTheLoginAndCloses) {
    loggedInUserName = L"demo";
    loggedInPassword = L"demo1234";
    OnLogoff();
    EXPECT_EQ(loggedInUserName, L"");
    EXPECT_EQ(loggedInPassword, L"");
    EXPECT_EQ(uiCalls, Calls{"post close"});
}

TEST_F(SessionTest, TimeChangeAsksForTheServerClockOnlyWhileConnected) {
    OnSystemTimeChanged();
    EXPECT_EQ(DrainOutbound(), std::vector<std::string>{});
    Connected();
    OnSystemTimeChanged();
    EXPECT_EQ(DrainOutbound(), std::vector<std::string>{"10,0,!"});
}

}  // namespace
