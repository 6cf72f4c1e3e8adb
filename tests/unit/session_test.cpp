// The connection and login state machine, checked as the sequences of window
// operations it performs and the messages it queues.
#include <gtest/gtest.h>

#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/link.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "session/news.h"
#include "session/session.h"
#include "session/ui_port.h"
#include "settings/settings.h"
#include "tests/unit/fakes/ui_port_fake.h"

namespace {

using Calls = std::vector<std::string>;

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Calls of showErrorState(state, layout) as the window system sees them.
Calls ErrorShown(int layout, bool hideConnect = true) {
    return Join({{"send Error 3 " + std::to_string(layout)},
                 hideConnect ? Calls{"hide Connect"} : Calls{},
                 {"show Error", "enable Main 0", "send Error 2 0"}});
}

// The UI reset: panels hidden, room positions saved, siblings told to close.
const Calls kUiReset = {
    "repaint Main",     "hide Connect",        "hide Login",       "hide Clock",
    "hide LogoffFrame", "hide Tabs",           "hide News",        "hide HeadMenuBackground",
    "hide HeadFile",    "hide HeadOptions",    "hide HeadWebsite", "hide HeadHelp",
    "hide About",       "hide Settings",       "hide Contacts",    "hide ContactsOptions",
    "hide ContactsAdd", "save room positions", "broadcast 1 0"};
const Calls kSubmitted = {"enable Main 1", "hide Login", "repaint Connect", "show Connect"};

Calls DrainOutbound() {
    Calls messages;
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
        isConnected = connectionAttemptUnderWay = isLoggedIn = false;
        connectPhase = PHASE_CONNECTING;
        linkState = errorState = 0;
        loginUserName = loginPassword = loggedInUserName = loggedInPassword = L"";
        acknowledgedNumber = pendingAcknowledgement = 0;
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

TEST_F(SessionTest, LoginFieldLengthsDecideBetweenSubmitLoginWindowAndError) {
    const struct {
        std::wstring user, password;
        Calls calls;
    } cases[] = {
        {L"",
         L"",
         {"hide Connect", "send Login 3 0", "show Login", "enable Main 0", "send Login 2 0"}},
        {L"abc", L"password", Join({{"hide Connect"}, ErrorShown(1)})},
        {L"abcdefghijklmnop", L"password", Join({{"hide Connect"}, ErrorShown(1)})},
        {L"abcd", L"123456789012345", kSubmitted},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.user));
        SetUp();
        Connected();
        Fields(c.user, c.password);
        SubmitLogin();
        const bool sent = c.calls == kSubmitted;
        EXPECT_EQ(uiCalls, c.calls);
        EXPECT_EQ(DrainOutbound().size(), sent ? 1u : 0u);
        EXPECT_EQ(errorState, sent || (c.password.empty() && c.user.empty()) ? 0 : 5);
        EXPECT_TRUE(isConnected.load()) << "a refused submit keeps the connection";
    }
}

TEST_F(SessionTest, AnAcceptedLoginIsRememberedAnOtherResultIgnored) {
    Connected();
    OnLoginReply(6);
    EXPECT_EQ(uiCalls, Calls{});
    EXPECT_EQ(errorState, 0);
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
    EXPECT_EQ(uiCalls, (Calls{"repaint Connect", "presence online"})) << "sound off";
}

TEST_F(SessionTest, ConnectionEndsShowTheirErrorOnce) {
    const struct {
        int code, state, phase;
        Calls calls;
    } cases[] = {
        {NC_CONNECTION_LOST, 4, PHASE_RECONNECTING,
         Join({{"repaint StatusLine", "repaint Connect"}, kUiReset, ErrorShown(1, false)})},
        {NC_CHILD_VERSION_OBSOLETE, 3, PHASE_LOGGING_IN,
         Join({{"repaint StatusLine"}, kUiReset, ErrorShown(1, false)})},
        {NC_CHILD_SCREEN_TOO_SMALL, 10, PHASE_LOGGING_IN,
         Join({{"repaint StatusLine"}, kUiReset, ErrorShown(2, false)})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        SetUp();
        Connected();
        OnConnectionNotification(c.code);
        EXPECT_EQ(uiCalls, c.calls);
        EXPECT_EQ(errorState, c.state);
        EXPECT_EQ(connectPhase, c.phase);
        EXPECT_FALSE(isConnected.load());
        EXPECT_EQ(linkState, 0) << "the status line shows offline";
        uiCalls.clear();
        OnConnectionNotification(c.code);
        EXPECT_EQ(uiCalls, Calls{}) << "the second thread's report changes nothing";
    }
}

// Codes 4, 5 and 6 reach the main window from any process; only the one report of the
// hub's own connection thread counts.
TEST_F(SessionTest, ConnectionReportsCountOnlyDuringAnAttempt) {
    StartConnectionAttempt();
    EXPECT_EQ(uiCalls, Calls{"start connection thread"});
    const struct {
        bool attempt, connected;
        int code, state;  // state -1: no effect
    } cases[] = {
        {true, false, NC_NO_CONNECTION, 2},  {true, false, NC_REFUSED, 3},
        {true, false, NC_CONNECTED, 0},      {false, false, NC_NO_CONNECTION, -1},
        {false, false, NC_REFUSED, -1},      {false, false, NC_CONNECTED, -1},
        {false, true, NC_NO_CONNECTION, -1}, {false, false, 99, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attempt << c.connected << " " << c.code);
        SetUp();
        Fields(L"demo", L"demo1234");
        if (c.connected) Connected();
        if (c.attempt) StartConnectionAttempt();
        uiCalls.clear();
        OnConnectionNotification(c.code);
        const bool acts = c.state >= 0;
        const bool connects = acts && c.code == NC_CONNECTED;
        EXPECT_EQ(uiCalls.empty(), !acts);
        if (c.state > 0) {
            EXPECT_EQ(uiCalls, ErrorShown(1));
        }
        EXPECT_EQ(errorState, acts ? c.state : 0);
        EXPECT_EQ(isConnected.load(), c.connected || connects);
        EXPECT_FALSE(connectionAttemptUnderWay) << "the attempt has had its report";
        if (connects) {
            EXPECT_EQ(uiCalls,
                      Join({{"repaint StatusLine", "repaint Connect", "start traffic threads"},
                            kSubmitted}));
            EXPECT_EQ(linkState, 1);
            EXPECT_EQ(connectPhase, PHASE_LOGGING_IN);
            EXPECT_EQ(DrainOutbound(), Calls{"11,ZGVtbyxkZW1vMTIzNA==,!"}) << "the saved login";
            EXPECT_EQ(loginUserName, L"demo");
        }
        EXPECT_TRUE(DrainOutbound().empty());
        uiCalls.clear();
        errorState = 0;
        OnConnectionNotification(c.code);
        EXPECT_EQ(uiCalls, Calls{}) << "a repeated report";
    }
}

TEST_F(SessionTest, DoubleLoginAndAccountStatusEndTheConnection) {
    const struct {
        int status;  // 0: double login
        bool connected;
        int state;
        Calls calls;
    } cases[] = {
        {0, true, 6, Join({kUiReset, {"repaint StatusLine"}, ErrorShown(2, false)})},
        {0, false, 0, {}},
        {1, true, 9, Join({kUiReset, {"repaint StatusLine"}, ErrorShown(2, false)})},
        {1, false, 0, {}},
        {3, true, 8, Join({kUiReset, {"repaint StatusLine", "repaint Connect"}, ErrorShown(1)})},
        {3, false, 8, ErrorShown(1)},
        {2, true, 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.status << " " << c.connected);
        SetUp();
        if (c.connected) Connected();
        if (c.status == 0) {
            OnDoubleLogin();
        } else {
            OnAccountStatus(c.status);
        }
        EXPECT_EQ(uiCalls, c.calls);
        EXPECT_EQ(errorState, c.state);
        EXPECT_EQ(isConnected.load(), c.connected && c.state == 0);
        if (c.status == 3 && c.connected) {
            EXPECT_EQ(connectPhase, PHASE_RECONNECTING);
        }
    }
}

TEST_F(SessionTest, ErrorOkActsByState) {
    const struct {
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
        EXPECT_EQ(connectionAttemptUnderWay, c.state == 2);
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
    // News (the server sends it again), the queue, the numbers, the lobby; remembered
    // room places stay.
    EXPECT_EQ(testing::PrintToString(std::vector<std::size_t>{
                  newsLines.size(), DrainOutbound().size(), players.size(), rooms.size()}) +
                  testing::PrintToString(std::vector<int>{
                      acknowledgedNumber, pendingAcknowledgement, rooms[0].windowX, rooms[0].listed,
                      rooms[0].windowOpen, rooms[0].users, FirstRoomListPending, SelectedRoomId,
                      connectionAttemptUnderWay}),
              "{ 0, 0, 0, 1 }{ 0, 0, 10, 0, 0, 0, 1, 0, 1 }");
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

TEST_F(SessionTest, LogoffForgetsTheLoginAndTimeChangeAsksTheServerClock) {
    loggedInUserName = L"demo";
    loggedInPassword = L"demo1234";
    OnLogoff();
    EXPECT_EQ(loggedInUserName + loggedInPassword, L"");
    EXPECT_EQ(uiCalls, Calls{"post close"});
    OnSystemTimeChanged();
    EXPECT_EQ(DrainOutbound(), Calls{}) << "only while connected";
    Connected();
    OnSystemTimeChanged();
    EXPECT_EQ(DrainOutbound(), Calls{"10,0,!"});
}

}  // namespace
