// The development server's rules that no hub test reaches (the end-to-end tests only ever
// write lines, options and commands that work): the scenario parser's and command line's
// errors, a message without end, the runner's verdicts, refused lobby commands, changes
// held back for a slow client, and a hub that does not send the greeting's own token.
#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

#include "net/text_convert.h"
#include "server/handshake.h"
#include "server/lobby_live.h"
#include "server/lobby_requests.h"
#include "server/log.h"
#include "server/options.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"

namespace {

constexpr std::int32_t kOwn = 1001;

Step ParsedStep(const std::string& line, int number = 1) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptLine(line, number, plan, parsed, error)) << line << ": " << error;
    return parsed.step;
}

TEST(ServerScript, BadLinesSayWhatIsWrongAndLeaveThePlanAlone) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"wait", "a number is missing"},
        {"wait 5x", "not a number: 5x"},
        {"wait 2000000000000", "number too large: 2000000000000"},
        {"expect", "bytes missing"},
        {"send \"open", "closing quote missing"},
        {"message \"\\q\"", "unknown escape \\q"},
        {"ack sideways", "ack: expected on, off, duplicate, late <ms> or wrong"},
        {"ackwait maybe", "expected on or off"},
        {"greeting loud", "greeting: expected normal, none, close, long, raw or split"},
        {"answer maybe", "answer: expected normal, refuse, none, close or raw"},
        {"version 72 73", "unexpected text after the command: 73"},
        {"frobnicate 3", "unknown command: frobnicate"},
        {"connection 0", "connection numbers start at 1"},
        {"lobby fly", "lobby: unknown change: fly"},
        {"lobby enter 1", "lobby enter: a number is missing"},
        {"lobby enter 1 2147483648", "number too large: 2147483648"},
        {"lobby random 10001", "lobby random: at most 10000 changes"},
        {"lobby player-in 5 4", "bytes missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        EXPECT_FALSE(ParseScriptLine(c.line, 1, plan, parsed, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(std::tuple(plan.version, plan.greeting, plan.splitAt),
                  std::tuple(73, GreetingKind::Normal, 0));
    }
}

TEST(ServerScript, ErrorsNameTheLineAndSectionsInheritTheCommonPart) {
    Script script;
    std::string error;
    EXPECT_FALSE(ParseScript("send a\n\nwait soon\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error, "line 3: not a number: soon");
    EXPECT_FALSE(ParseScript("connection 2\nconnection 2\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error, "line 2: connection 2 appears twice");

    const char* text =
        "answer refuse\r\n"
        "send a\n"
        "connection 2\n"
        "greeting none\n"
        "wait 5\n";
    ASSERT_TRUE(ParseScript(text, HandshakePlan{}, script, error)) << error;
    const ScriptSection &first = SectionFor(script, 1), &second = SectionFor(script, 2);
    ASSERT_EQ(std::pair(first.steps.size(), second.steps.size()),
              std::pair(std::size_t{1}, std::size_t{1}));
    EXPECT_EQ(
        std::tuple(first.plan.answer, first.steps[0].line, second.plan.answer, second.plan.greeting,
                   second.steps[0].kind),
        std::tuple(AnswerKind::Refuse, 2, AnswerKind::Refuse, GreetingKind::None, StepKind::Wait));
    EXPECT_EQ(&SectionFor(script, 3), &script.common);
}

TEST(ServerOptions, RefusesBadValues) {
    const struct {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--inbound-port", "65536"}, "--inbound-port: not a port: 65536"},
        {{"--scenario"}, "--scenario needs a value"},
        {{"--fast"}, "unknown option: --fast"},
        {{"--lobby-changes", "-5"}, "--lobby-changes: not a time in ms: -5"},
        {{"--private-messages", "86400001"}, "--private-messages: not a time in ms: 86400001"},
        {{"--presence-storm", "0"}, "--presence-storm: not a rate from 1 to 1000: 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        Options options;
        std::string error;
        EXPECT_FALSE(ParseOptions(c.arguments, options, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(ServerHandshake, TokensAreUniqueAndPlainAndAnUnknownOneIsRefused) {
    std::set<std::string> seen;
    for (std::uint32_t i = 0; i < 5000; ++i) {
        std::string token = MakeToken(i);
        EXPECT_TRUE(seen.insert(token).second) << token;
        EXPECT_EQ(token.find_first_of(",;:! "), std::string::npos) << token;
    }
    // An introduction with a token no connection was greeted with is refused.
    HandshakePlan plan;
    EXPECT_EQ(AnswerBytes(plan, false), "3,!");
    EXPECT_FALSE(AnswerPairs(plan, false));
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
    // An expect step uses up the bytes it found, across reads, and fails at its deadline,
    // on its line. (Messages waiting for their turn: every end-to-end login.)
    Session session;
    StepRunner runner;
    AppendStep(runner, ParsedStep("expect abc 100", 1));
    AppendStep(runner, ParsedStep("expect abc 100", 2));
    RunSteps(runner, session, 0, 0);
    ReceiveClientBytes(session, "xxab", 10);
    ReceiveClientBytes(session, "cyy", 20);
    RunSteps(runner, session, 20, 0);
    EXPECT_EQ(session.received, "yy");
    RunSteps(runner, session, 119, 0);
    EXPECT_EQ(runner.state, RunState::Running);
    RunSteps(runner, session, 120, 0);
    EXPECT_EQ(runner.state, RunState::Failed);
    EXPECT_EQ(runner.failedLine, 2);

    // The end of a pair judges the steps left; a lobby change before any login fails.
    const char* ended = "the connection ended before this step was done";
    const struct {
        std::vector<const char*> lines;
        bool clientClosed;
        const char* failure;  // "": passed
    } ends[] = {
        {{"expect-close 1000"}, true, ""},
        {{"expect-close 1000"}, false, ended},
        {{"wait 1000"}, true, ended},
        {{"close", "send x"}, false, ended},
        {{"close"}, false, ""},
        {{"lobby status 2001 1"}, false, "lobby: nobody has logged in on this pair"},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.lines[0]);
        Session pair;
        StepRunner steps;
        for (const char* line : end.lines)
            AppendStep(steps, ParsedStep(line));
        RunSteps(steps, pair, 0, 0);
        pair.clientClosed = end.clientClosed;
        FinishSteps(steps, pair, 10);
        EXPECT_EQ(steps.state, *end.failure ? RunState::Failed : RunState::Passed);
        EXPECT_EQ(steps.failure, end.failure);
        EXPECT_EQ(pair.out.find('x'), std::string::npos) << "nothing after a close";
    }
}

TEST_F(ServerSession, ScheduledChangesHoldBackForASlowClient) {
    // A client that acknowledges nothing: lobby changes stop while the queue is long, the
    // storm keeps at most a second's worth and skips the rest.
    Session silent;
    silent.lobbyEveryMs = 100;
    silent.stormPerSecond = 100;
    ReceiveClientBytes(silent, "1,11," + Base64Encode("demo,demo1234") + ",!", 0);
    const std::size_t login = silent.queue.size();
    for (std::int64_t now = 100; now <= 60000; now += 100)
        PumpSession(silent, now);
    EXPECT_LE(silent.queue.size(), login + 100);
    EXPECT_GE(silent.stormSkipped, 5000);
}

TEST_F(ServerSession, RefusedCommandsSayWhyAndChangeNothing) {
    const struct {
        const char* command;
        const char* error;  // "": a change the later lines build on
    } cases[] = {
        {"player-in 2005 4 a:b", "a name is not empty and holds none of , ; : !"},
        {"enter 1 2001", "already in that room"},
        {"enter 2 2002", "the room is locked"},
        {"leave 1 2002", "not in that room"},
        {"table-open 1 2001", "already playing in that room"},
        {"join-request 5001 2001", "nobody asks themselves"},
        {"join-request 5001 2003", ""},
        {"join-count 1 0", "an answer count is positive"},
        {"join-result 1 7", ""},
        {"join-result 1 7", "no such join request"},
        {"table-join 5001 2002", ""},
        {"table-join 5001 2002", "already at that table"},
        {"player-out 1001", "the logged-in player stays"},
        {"contact 1001 0", "not a contact of oneself"},
        {"contact-remove 2003", "no such contact"},
    };
    // Table 5001 in room 1 where Anna plays, room 2 locked, Bert a contact, Cleo busy.
    Lobby lobby;
    lobby.players = {{kOwn, "demo", 1500, 4},
                     {2001, "Anna", 1600, 4},
                     {2002, "Bert", 1700, 4},
                     {2003, "Cleo", 1800, 2}};
    lobby.rooms = {{1, "Open", 1, kRoomOpen}, {2, "Locked", 2, kRoomLocked}};
    lobby.presences = {{7001, 1, 2001}, {7002, 1, kOwn}};
    TableEntry table{};
    table.values = {5001, 1, 0, 5, 5, 2001, 0, 30};
    lobby.tables = {table};
    lobby.seats = {{9001, 1, 5001, 2001}};
    LiveLobby live = StartLiveLobby(lobby, kOwn);
    live.contacts = {{101, 2002, 0}};
    live.nextContactId = 102;
    for (const auto& c : cases) {
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
