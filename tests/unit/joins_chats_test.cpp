// Join requests (types 101 and 103, relay 97) and private conversations (types 61 and 62,
// relay 99), as the lobby port fake records them.
#include <gtest/gtest.h>

#include <string>

#include "lobby/conversations.h"
#include "lobby/sibling_launch.h"
#include "lobby/sibling_reports.h"
#include "net/text_convert.h"
#include "tests/unit/lobby_fixture.h"

namespace {

const std::string kJoinStart = "start C:\\Tavlora\\JoinView.exe 5 ";
const std::string kChatStart = "start C:\\Tavlora\\ChatView.exe 1 ";
class Joins : public LobbyTest {
protected:
    // Players 7 "Zoë" and the own 1001, room 5 of money kind 2, table 40 of room 5 twice
    // (the second one's values 3, 4, 7 are 30, 40, 70).
    void FillLobby() {
        Deliver("21,7:Zo\xC3\xAB:3:4;1001:me:0:4;");
        Deliver("31,5:Salon:2:0;");
        Deliver("71,40:5:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;");
        TableRecord later = Tables()[0];
        later.values[3] = 30;
        later.values[4] = 40;
        later.values[7] = 70;
        AddTable(later);
        lobbyCalls.clear();
    }
};

// Another program's window of the class leaves a closed record and tells the debug window,
// if there is one; a count reaches no closed window but removes its record.
TEST_F(Joins, ARequestWhoseWindowIsAnotherProgramsStaysClosed) {
    FillLobby();
    FakeImpostorFor(L"KXLaunch78", 666);
    EXPECT_EQ(CallsOf("101,78:5:40:7:1001:0").back(), "find KXDebug");
    EXPECT_EQ(LobbyCallsStartingWith("wait"), (Lines{"wait 900 5000"})) << "before the search";
    FakeWindowFor(L"KXDebug", 555);
    EXPECT_EQ(CallsOf("101,79:5:40:7:1001:0").back(),
              Relay(555, 1, "LaunchJoin() should output error"));
    EXPECT_EQ(JoinList(), "78 0 0|79 0 0");
    EXPECT_TRUE(CallsOf("101,79:5:40:7:1001:4").empty()) << "code 33 goes to no window";
    EXPECT_TRUE(CallsOf("103,78,1").empty());
    EXPECT_TRUE(JoinRequests().empty()) << "the count and 103 remove closed records too";
}

TEST_F(Joins, MissingOrWrongItemsReadAsZero) {
    FillLobby();
    SetSetting(kLanguageKey, 3);
    const struct {
        const char* payload;
        const char* line;
    } cases[] = {
        {"78:5:40:1001:7", " ,?,73,3,1,1,5,0,78,40,1001,me,7,Zo\xC3\x83\xC2\xAB,1,70,30,40,2"},
        {"79:x:41:8:9:-3", " ,?,73,3,1,1,0,0,79,41,8,,9,,0,0,0,0,0"},
        {"", " ,?,73,3,1,1,0,0,0,0,0,,0,,0,0,0,0,0"},
    };
    for (const auto& c : cases) {
        const Lines calls = CallsOf(std::string("101,") + c.payload + ",");
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0], kJoinStart + c.line);
    }
    EXPECT_EQ(JoinRequests().size(), 3u);
}

// A request whose window appears keeps it: the result reaches that window.
TEST_F(Joins, ARequestsOwnWindowIsKeptForItsResult) {
    FillLobby();
    FakeWindowFor(L"KXLaunch80", 700);
    CallsOf("101,80:5:40:7:1001:0");
    EXPECT_EQ(JoinList(), "80 1 700");
    EXPECT_EQ(LobbyCallsStartingWith("send 700"), Lines{}) << "nothing before the result";
    CallsOf("103,80,1");
    EXPECT_EQ(LobbyCallsStartingWith("send 700").size(), 1u);
}

// A known id takes only a positive count, a new one only none; a result reaches only an
// open window, an answer only the server; each takes the first record with the id.
TEST_F(Joins, CountsResultsAndAnswers) {
    SetJoinRequests({{77, 5, 40, 7, 1001, 0, true, 600},
                     {78, 5, 40, 7, 1001, 0, false, 0},
                     {77, 5, 40, 7, 1001, 0, true, 601},
                     {79, 5, 40, 7, 1001, 0, true, 602},
                     {80, 5, 40, 7, 1001, 0, false, 0},
                     {81, 5, 40, 7, 1001, 0, true, 603}});
    const struct {
        const char* message;
        Lines calls;
    } steps[] = {{"101,77:5:40:7:1001:0", {}},
                 {"101,77:5:40:7:1001:-1", {}},
                 {"101,88:5:40:7:1001:2", {}},
                 {"103,99,1", {}},
                 {"101,77:5:40:7:1001:3", {"send 600 33 3"}},
                 {"103,77,-2", {"send 601 34 -2"}},
                 {"103,78,1", {}}};
    for (const auto& step : steps)
        EXPECT_EQ(CallsOf(step.message), step.calls) << step.message;
    EXPECT_EQ(JoinList(), "79 1 602|80 0 0|81 1 603");
    for (const char* answer : {"99:1", "080:1", "081:yes"})  // unknown, closed, open
        CopyData(97, std::string("KXMessage,") + answer);
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"103,081:yes,!"})) << "only the open one, as written";
    EXPECT_EQ(JoinList(), "79 1 602");
    DropConnection();
    CopyData(97, "KXMessage,79:1");
    EXPECT_TRUE(DrainOutboundQueue().empty()) << "disconnected";
    EXPECT_EQ(JoinList(), "79 1 602");
}

class Chats : public LobbyTest {
protected:
    void SetUp() override {
        LobbyTest::SetUp();
        // 7 online friend, 11 gone, 12 online but ignored, 13 online, not a contact, 99 an
        // ignored contact not listed.
        Deliver("21,7:ann:0:4;11:ed:0:0;12:fay:0:4;13:gus:0:4;");
        Deliver("51,60:7:0;62:12:2;63:99:2;");
        lobbyCalls.clear();
    }
};

TEST_F(Chats, WhoGetsAConversation) {
    const struct {
        bool relay;  // relay 99 from a sibling, else type 61
        const char* from;
        const char* text;
        const char* line;  // empty: nothing starts
    } cases[] = {
        {false, "13", "hi", "0,0,gus,hi,"}, {false, "99", "hi", ""}, {true, "11", "", ""},
        {true, "97", "", "0,0,,,"},         {true, "12", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.relay << " " << c.from);
        lobbyCalls.clear();
        if (c.relay)
            CopyData(99, std::string("KXMessage,") + c.from);
        else
            Deliver(std::string("61,") + c.from + "," + c.text + ",");
        const Lines expected =
            *c.line ? Lines{kChatStart + " ,?,73,1,1,1," + c.line, "close 900"} : Lines{};
        EXPECT_EQ(lobbyCalls, expected);
    }
    DropConnection();
    lobbyCalls.clear();
    CopyData(99, "KXMessage,13");
    EXPECT_TRUE(lobbyCalls.empty()) << "relay 99 counts only while connected";
}

}  // namespace
