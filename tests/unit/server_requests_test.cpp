// The development server's join requests and private messages: the exact messages of each
// command and of each client request, the asker seated by an accepted answer, every
// reason a private message is not delivered, and the scheduled messages of contacts.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_live.h"
#include "server/lobby_requests.h"
#include "server/log.h"
#include "server/options.h"
#include "server/script.h"
#include "server/session.h"

namespace {

constexpr std::int32_t kOwn = 1001;

// Table 5001 in room 1: Anna plays, a second place is free; the own player is in room 1.
LiveLobby Lobby5001() {
    Lobby lobby;
    lobby.players = {{kOwn, "demo", 1500, 4}, {2001, "Anna", 1600, 4},
                     {2002, "Bert", 1700, 3}, {2003, "Cleo", 1800, 2},
                     {2004, "Dora", 1800, 1}, {2005, "\xC5\x81ucja", 1800, 4}};
    lobby.rooms = {{1, "Open", 1, kRoomOpen}};
    lobby.presences = {{7001, 1, 2001}, {7002, 1, kOwn}};
    TableEntry table{};
    table.values = {5001, 1, 0, 5, 5, 2001, 0, 30};
    lobby.tables = {table};
    lobby.seats = {{9001, 1, 5001, 2001}};
    LiveLobby live = StartLiveLobby(lobby, kOwn);
    live.contacts = {{101, 2002, 0}, {102, 2001, 2}, {103, 2005, 1}, {104, 2003, 1}};
    return live;
}

LobbyCommand Parse(const std::string& line) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptLine("lobby " + line, 1, plan, parsed, error)) << line << ": " << error;
    return parsed.step.lobby;
}

TEST(ServerRequests, JoinCommandsSendExactlyTheirMessages) {
    struct Case {
        const char* command;
        std::vector<std::string> messages;
        const char* error = "";
    } cases[] = {
        // Bert asks Anna, the table's first player: join id 1, answer count 0.
        {"join-request 5001 2002", {"101,1:1:5001:2002:2001:0,!"}},
        {"join-request 5001 1001 2002", {"101,2:1:5001:1001:2002:0,!"}},
        {"join-request 5001 2001", {}, "nobody asks themselves"},
        {"join-request 77 2002", {}, "no such table"},
        {"join-request 5001 2999", {}, "no such player"},
        {"join-count 1 0", {}, "an answer count is positive"},
        {"join-count 1 3", {"101,1:1:5001:2002:2001:3,!"}},
        {"join-count 1 3", {}, "no such join request"},  // settled by the count
        {"join-result 2 7", {"103,2,7,!"}},
        {"join-result 2 7", {}, "no such join request"},
        {"private 2002 Hallo, du!", {"61,2002," + Base64Encode("Hallo, du!") + ",!"}},
        {"private 2999 x", {}, "no such player"},
        {"ignores 2002 1", {}},
        {"ignores 2999 1", {}, "no such player"},
    };
    LiveLobby live = Lobby5001();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        LobbyChange change = ApplyLobbyCommand(live, Parse(c.command));
        EXPECT_EQ(change.messages, c.messages);
        EXPECT_EQ(change.error, c.error);
    }
    EXPECT_TRUE(live.joins.empty());
}

TEST(ServerRequests, TheOwnAnswerSettlesARequestAndAnAcceptedOneSeatsTheAsker) {
    LiveLobby live = Lobby5001();
    ASSERT_EQ(AskToJoin(live, 5001, 2002, kOwn).error, "");  // join 1
    ASSERT_EQ(AskToJoin(live, 5001, 2003, kOwn).error, "");  // join 2
    // Declined: settled, nothing sent.
    LobbyChange declined = ClientAnswersJoin(live, 1, 0);
    EXPECT_EQ(declined.error, "");
    EXPECT_TRUE(declined.messages.empty());
    EXPECT_EQ(ClientAnswersJoin(live, 1, kJoinAccepted).error, "no such join request");
    // Accepted: Cleo enters the room and takes the free place.
    LobbyChange accepted = ClientAnswersJoin(live, 2, kJoinAccepted);
    EXPECT_EQ(accepted.messages,
              (std::vector<std::string>{"32,7003:1:2003;,!",
                                        "71,5001:1:1:5:5:2001:2003:30:0:0:0:0:0:0:0:0:0:0;,!",
                                        "72,9002:1:5001:2003;,!"}));
    EXPECT_TRUE(live.joins.empty());
}

TEST(ServerRequests, TheOwnRequestIsAcceptedAtOnce) {
    LiveLobby live = Lobby5001();
    LobbyChange change = ClientAsksToJoin(live, 5001);
    EXPECT_EQ(change.messages,
              (std::vector<std::string>{"101,1:1:5001:1001:2001:0,!", "103,1,1,!",
                                        "71,5001:1:1:5:5:2001:1001:30:0:0:0:0:0:0:0:0:0:0;,!",
                                        "72,9002:1:5001:1001;,!"}));
    EXPECT_EQ(ClientAsksToJoin(live, 77).error, "no such table");
    EXPECT_TRUE(live.joins.empty());
}

TEST(ServerRequests, PrivateMessagesAreDeliveredOrSayWhyNot) {
    struct Case {
        const char* nickname;
        std::vector<std::string> messages;  // none: delivered
    } cases[] = {
        {"Bert", {}},
        {"\xC5\x81ucja", {}},
        {"Nobody", {"62,1,Tm9ib2R5,!"}},
        {"", {"62,1,,!"}},
        {"Dora", {"62,2,RG9yYQ==,!"}},  // shown as offline
        {"Cleo", {"62,3,Q2xlbw==,!"}},  // do not disturb
    };
    LiveLobby live = Lobby5001();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.nickname);
        EXPECT_EQ(ClientSendsPrivate(live, c.nickname, "aGk=").messages, c.messages);
    }
    ASSERT_EQ(SetIgnoring(live, 2002, true).error, "");
    EXPECT_EQ(ClientSendsPrivate(live, "Bert", "aGk=").messages,
              std::vector<std::string>{"62,4,QmVydA==,!"});
    ASSERT_EQ(SetIgnoring(live, 2002, false).error, "");
    EXPECT_TRUE(ClientSendsPrivate(live, "Bert", "aGk=").messages.empty());
    // A player gone from the lobby: no such user.
    ASSERT_EQ(ApplyLobbyCommand(live, Parse("player-out 2002")).error, "");
    EXPECT_EQ(ClientSendsPrivate(live, "Bert", "aGk=").messages,
              std::vector<std::string>{"62,1,QmVydA==,!"});
}

TEST(ServerRequests, ContactsWriteInTurnWhenOnlineAndNotIgnored) {
    LiveLobby live = Lobby5001();
    // Online contacts not ignored: Bert (3) and Łucja (4); Anna is ignored, Cleo busy.
    std::vector<std::string> writers;
    for (int i = 0; i < 4; ++i) {
        LobbyChange change = RandomPrivateMessage(live);
        ASSERT_EQ(change.messages.size(), 1u);
        FieldList fields = SplitFields(change.messages[0]);
        ASSERT_EQ(fields[0], "61");
        writers.emplace_back(fields[1]);
        EXPECT_FALSE(Base64Decode(fields[2]).empty());
    }
    EXPECT_EQ(writers, (std::vector<std::string>{"2002", "2005", "2002", "2005"}));
    live.contacts.clear();
    EXPECT_EQ(RandomPrivateMessage(live).error, "no contact online to write");
}

TEST(ServerRequests, ThePrivateMessageScheduleIsATimeInMilliseconds) {
    Options options;
    std::string error;
    ASSERT_TRUE(
        ParseOptions({"--private-messages", "45000", "--lobby-changes", "2000"}, options, error))
        << error;
    EXPECT_EQ(options.private_every_ms, 45000);
    EXPECT_EQ(options.lobby_every_ms, 2000);
    for (const char* bad : {"-1", "5s", "", "86400001"}) {
        Options other;
        EXPECT_FALSE(ParseOptions({"--private-messages", bad}, other, error)) << bad;
    }
}

class ServerRequestSession : public ::testing::Test {
protected:
    void SetUp() override { OpenLogFile("/dev/null"); }
    void TearDown() override { CloseLogFile(); }
};

TEST_F(ServerRequestSession, ClientMessagesReachTheirHandlers) {
    Session session;
    session.ack_wait = false;
    session.private_every_ms = 1000;
    ReceiveClientBytes(session, "1,11," + Base64Encode("demo,demo1234") + ",!", 0);
    session.out.clear();
    LiveLobby& live = *session.lobby;
    // An unknown nickname, answered with reason 1.
    ReceiveClientBytes(session, "2,61," + Base64Encode("Niemand") + ",aGk=,!", 0);
    EXPECT_NE(session.out.find(",62,1," + Base64Encode("Niemand") + ",!"), std::string::npos)
        << session.out;
    // A request by the server, answered by the client: settled.
    const TableEntry& table = live.lobby.tables.front();
    const std::int32_t host = table.values[5];
    ASSERT_EQ(AskToJoin(live, table.values[0], host == 2001 ? 2002 : 2001, kOwn).error, "");
    ASSERT_EQ(live.joins.size(), 1u);
    ReceiveClientBytes(session, "3,103," + IntToText(live.joins[0].id) + ":0,!", 0);
    EXPECT_TRUE(live.joins.empty());
    // The own request to join: 101 and 103 come back.
    session.out.clear();
    ReceiveClientBytes(session, "4,101," + IntToText(table.values[0]) + ",!", 0);
    EXPECT_NE(session.out.find(",101,"), std::string::npos) << session.out;
    EXPECT_NE(session.out.find(",103,"), std::string::npos) << session.out;
    // Contacts write on schedule.
    EXPECT_EQ(SessionDeadline(session), 1000);
    session.out.clear();
    PumpSession(session, 1000);
    EXPECT_NE(session.out.find(",61,"), std::string::npos) << session.out;
    EXPECT_EQ(SessionDeadline(session), 2000);
}

}  // namespace
