// The development server's rules that no hub test reaches: a client that sends a message
// without end, the scenario runner's verdicts, every refused lobby command, and the
// scheduled changes held back for a slow client.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "server/lobby_live.h"
#include "server/lobby_requests.h"
#include "server/log.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"

namespace {

constexpr std::int32_t kOwn = 1001;

std::string Login(std::string_view user_comma_password) {
    return "1,11," + Base64Encode(user_comma_password) + ",!";
}

Step ParsedStep(const std::string& line, int number = 1) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptLine(line, number, plan, parsed, error)) << line << ": " << error;
    return parsed.step;
}

class ServerSession : public ::testing::Test {
protected:
    void SetUp() override { OpenLogFile("/dev/null"); }
    void TearDown() override { CloseLogFile(); }
};

TEST_F(ServerSession, AMessageWithoutEndDropsTheClient) {
    Session endless;
    endless.reader.limit = 10;
    EXPECT_TRUE(ReceiveClientBytes(endless, "1,1,0,!0123456789", 0));
    EXPECT_FALSE(ReceiveClientBytes(endless, "x", 0));
}

TEST_F(ServerSession, TheRunnerPassesOrFailsAScriptByItsLines) {
    // A message waits for its turn; an expect step fails at its deadline, on its line.
    Session session;
    StepRunner runner;
    for (const char* line : {"message 12,0", "message 16,3", "expect abc 100", "expect abc 100"})
        AppendStep(runner, ParsedStep(line, static_cast<int>(runner.steps.size()) + 1));
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(session.out, "1,12,0,!");
    session.out.clear();
    ReceiveClientBytes(session, "2,1,!xxab", 10);
    ReceiveClientBytes(session, "cyy", 20);
    RunSteps(runner, session, 20, 0);
    EXPECT_EQ(session.out, "2,16,3,!");
    EXPECT_EQ(session.received, "yy") << "the first expect used up its bytes";
    RunSteps(runner, session, 119, 0);
    EXPECT_EQ(runner.state, RunState::Running);
    RunSteps(runner, session, 120, 0);
    EXPECT_EQ(runner.state, RunState::Failed);
    EXPECT_EQ(runner.failed_line, 4);

    // A lobby change before any login fails the script and says why.
    Session fresh;
    StepRunner lobby;
    AppendStep(lobby, ParsedStep("lobby status 2001 1", 3));
    RunSteps(lobby, fresh, 0, 0);
    EXPECT_EQ(lobby.state, RunState::Failed);
    EXPECT_EQ(lobby.failed_line, 3);
    EXPECT_EQ(lobby.failure, "lobby: nobody has logged in on this pair");

    // The end of a pair judges the steps left.
    struct End {
        std::vector<const char*> lines;
        bool client_closed;
        RunState state;
    } ends[] = {
        {{"expect-close 1000"}, true, RunState::Passed},
        {{"expect-close 1000"}, false, RunState::Failed},
        {{"wait 1000"}, true, RunState::Failed},
        {{"close", "send x"}, false, RunState::Failed},
        {{"close"}, false, RunState::Passed},
    };
    for (const End& end : ends) {
        SCOPED_TRACE(end.lines[0]);
        Session pair;
        StepRunner steps;
        for (const char* line : end.lines)
            AppendStep(steps, ParsedStep(line));
        RunSteps(steps, pair, 0, 0);
        pair.client_closed = end.client_closed;
        FinishSteps(steps, pair, 10);
        EXPECT_EQ(steps.state, end.state);
        EXPECT_EQ(pair.out.find('x'), std::string::npos) << "nothing after a close";
    }
}

TEST_F(ServerSession, ScheduledChangesHoldBackForASlowClient) {
    // A client that acknowledges nothing: lobby changes stop while the queue is long, the
    // storm keeps at most a second's worth and skips the rest.
    Session silent;
    silent.lobby_every_ms = 100;
    silent.storm_per_second = 100;
    ReceiveClientBytes(silent, Login("demo,demo1234"), 0);
    const std::size_t login = silent.queue.size();
    for (std::int64_t now = 100; now <= 60000; now += 100)
        PumpSession(silent, now);
    EXPECT_LE(silent.queue.size(), login + 100);
    EXPECT_GE(silent.storm_skipped, 5000);
}

// A small lobby whose ids the refusals below name: table 5001 in room 1 where Anna plays,
// Bert a contact, Cleo busy, Dora shown as offline.
LiveLobby SmallLobby() {
    Lobby lobby;
    lobby.players = {{kOwn, "demo", 1500, 4},
                     {2001, "Anna", 1600, 4},
                     {2002, "Bert", 1700, 4},
                     {2003, "Cleo", 1800, 2},
                     {2004, "Dora", 1800, 1}};
    lobby.rooms = {{1, "Open", 1, kRoomOpen}, {2, "Locked", 2, kRoomLocked}};
    lobby.presences = {{7001, 1, 2001}, {7002, 1, kOwn}};
    TableEntry table{};
    table.values = {5001, 1, 0, 5, 5, 2001, 0, 30};
    lobby.tables = {table};
    lobby.seats = {{9001, 1, 5001, 2001}};
    LiveLobby live = StartLiveLobby(lobby, kOwn);
    live.contacts = {{101, 2002, 0}};
    live.next_contact_id = 102;
    return live;
}

TEST_F(ServerSession, RefusedCommandsSayWhyAndChangeNothing) {
    struct Case {
        const char* command;
        const char* error;  // "": a change the later lines build on
    } cases[] = {
        {"player-in 2005 4 a:b", "a name is not empty and holds none of , ; : !"},
        {"status 2999 2", "no such player"},
        {"enter 1 2001", "already in that room"},
        {"enter 2 2002", "the room is locked"},
        {"enter 3 2002", "no such room"},
        {"leave 1 2002", "not in that room"},
        {"table-open 1 2001", "already playing in that room"},
        {"join-request 5001 2001", "nobody asks themselves"},
        {"join-request 77 2002", "no such table"},
        {"join-request 5001 2003", ""},
        {"join-count 1 0", "an answer count is positive"},
        {"join-result 1 7", ""},
        {"join-result 1 7", "no such join request"},
        {"table-join 5001 2002", ""},
        {"table-join 5001 2002", "already at that table"},
        {"seat-leave 99", "no such seat"},
        {"table-close 2", "no such table"},
        {"player-out 1001", "the logged-in player stays"},
        {"contact 1001 0", "not a contact of oneself"},
        {"contact-remove 2003", "no such contact"},
        {"private 2999 x", "no such player"},
    };
    LiveLobby live = SmallLobby();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::vector<std::string> before = CurrentLobbyMessages(live);
        LobbyChange change =
            ApplyLobbyCommand(live, ParsedStep(std::string("lobby ") + c.command).lobby);
        EXPECT_EQ(change.error, c.error);
        if (*c.error == '\0') continue;
        EXPECT_EQ(change.messages, std::vector<std::string>{});
        EXPECT_EQ(CurrentLobbyMessages(live), before);
    }
    // A client's own requests refused the same way.
    EXPECT_EQ(ClientAddsContact(live, "Bert").messages, std::vector<std::string>{"52,2,!"});
    EXPECT_NE(ClientSetsRelation(live, 101, 7).error, "");
    EXPECT_EQ(ClientAnswersJoin(live, 9, kJoinAccepted).error, "no such join request");
}

}  // namespace
