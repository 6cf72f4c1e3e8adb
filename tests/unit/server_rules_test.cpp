// The development server's rules that no hub test reaches: stop-and-wait and the
// acknowledgement modes seen from a client that errs, the scenario runner's verdicts,
// a lobby whose thousands of random changes the hub's own model follows, every refused
// lobby command and client request, and the scheduled changes held back for a slow client.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <sstream>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_live.h"
#include "server/lobby_requests.h"
#include "server/log.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"
#include "tests/unit/lobby_fixture.h"

namespace {

constexpr std::int32_t kOwn = 1001;

std::string Login(std::string_view user_comma_password) {
    return "1,11," + Base64Encode(user_comma_password) + ",!";
}

// What the session wrote, as messages without their "!", and emptied.
std::vector<std::string> Take(Session& session) {
    std::vector<std::string> messages;
    ForEachMessage(session.out, [&](std::string_view piece) {
        if (!piece.empty()) messages.emplace_back(piece);
    });
    session.out.clear();
    return messages;
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

    // Logged in as demo without stop-and-wait, the login's output dropped.
    static void LogIn(Session& session) {
        session.ack_wait = false;
        ReceiveClientBytes(session, Login("demo,demo1234"), 0);
        session.out.clear();
    }
};

TEST_F(ServerSession, StopAndWaitReleasesOneMessagePerAcknowledgement) {
    Session session;
    ReceiveClientBytes(session, Login("demo,demo1234"), 0);
    EXPECT_EQ(Take(session), (std::vector<std::string>{"2,1,", "1,11,5,"}));
    struct Step {
        const char* client;
        std::vector<std::string> server;
    } steps[] = {
        {"2,2,!", {}},                  // not yet sent
        {"2,0,!", {}},                  // older than anything outstanding
        {"2,1,!", {"2,13,1001,1,0,"}},  // exactly one more
        {"2,1,!", {}},                  // repeated
        {"2,2,!", {"3,14,12345,99999,7,"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.client);
        ReceiveClientBytes(session, step.client, 0);
        EXPECT_EQ(Take(session), step.server);  // an acknowledgement is never acknowledged
    }
}

// Every numbered client message is acknowledged as the acknowledgement mode says, however
// its bytes arrive; a malformed login is refused.
TEST_F(ServerSession, AcknowledgesByTheModeHoweverMessagesArrive) {
    struct Case {
        const char* mode;
        std::vector<std::string> pieces, at_once, later;
    } cases[] = {
        {"ack on", {"4,99,x,!"}, {"2,4,"}, {}},  // unknown type
        {"ack on", {"7,3,!", "7,!", "!"}, {}, {}},
        {"ack on", {"1,1,", "0,!2,", "1,0,!3", ",1,0", ",!"}, {"2,1,", "2,2,", "2,3,"}, {}},
        {"ack on", {Login("demo,demo1234,")}, {"2,1,", "1,11,2,"}, {}},
        {"ack on", {Login("demo")}, {"2,1,", "1,11,2,"}, {}},
        {"ack off", {"3,1,0,!"}, {}, {}},
        {"ack duplicate", {"3,1,0,!"}, {"2,3,", "2,3,"}, {}},
        {"ack wrong", {"3,1,0,!"}, {"2,4,"}, {}},
        {"ack late 100", {"3,1,0,!"}, {}, {"2,3,"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode + (" " + c.pieces[0]));
        Session session;
        StepRunner runner;
        AppendStep(runner, ParsedStep(c.mode));
        RunSteps(runner, session, 1000, 0);
        for (const std::string& piece : c.pieces)
            EXPECT_TRUE(ReceiveClientBytes(session, piece, 1000));
        EXPECT_EQ(Take(session), c.at_once);
        PumpSession(session, 1099);
        EXPECT_EQ(SessionDeadline(session), c.later.empty() ? kNoDeadline : 1100);
        PumpSession(session, 1100);
        EXPECT_EQ(Take(session), c.later);
    }
    Session endless;
    endless.reader.limit = 10;
    EXPECT_TRUE(ReceiveClientBytes(endless, "1,1,0,!0123456789", 0));
    EXPECT_FALSE(ReceiveClientBytes(endless, "x", 0)) << "a message without end drops the client";
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

TEST_F(ServerSession, OwnRoomEntriesAndChatLinesComeBackOrAreRefused) {
    Session session;
    LogIn(session);
    const std::string presence = IntToText(session.lobby->next_presence_id);
    struct Step {
        std::string client;
        std::vector<std::string> server;  // the lobby's messages without their numbers
    } steps[] = {
        {"2,32,5,!", {"2,2", "32," + presence + ":5:1001;,"}},
        {"3,32,5,!", {"2,3"}},   // already there
        {"4,32,77,!", {"2,4"}},  // no such room
        {"5,120,5,aGkh,!", {"2,5", "34,5,120,1001:aGkh,"}},
        {"6,120,6,aGkh,!", {"2,6"}},  // not in room 6
        {"8,120,5,a;b,!", {"2,8"}},   // not Base64
        {"9,121,1,aGkh,!", {"2,9"}},  // no such table
        {"10,38,5,!", {"2,10", "38," + presence + ","}},
        {"12,101,77,!", {"2,12"}},  // no such table to join
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.client);
        ReceiveClientBytes(session, step.client, 0);
        std::vector<std::string> server = Take(session);
        for (std::string& message : server)
            message = message.rfind("2,", 0) == 0 && SplitFields(message).size() == 2
                          ? message.substr(0, message.size() - 1)
                          : message.substr(message.find(',') + 1);
        EXPECT_EQ(server, step.server);
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

// The hub's own lobby model, fed the server's messages as the hub's dispatch gets them.
class ServerLobbyFollowed : public LobbyTest {
protected:
    void Feed(const std::vector<std::string>& messages) {
        for (const std::string& message : messages)
            Deliver(message.substr(0, message.size() - 1));
        DrainOutboundQueue();
    }
};

template <class... V>
std::string Row(const V&... values) {
    std::ostringstream row;
    ((row << values << ' '), ...);
    return row.str();
}

std::string Values(const std::array<std::int32_t, 17>& values) {
    std::string text;
    for (std::int32_t value : values)
        text += IntToText(value) + ":";
    return text;
}

// Every list of the server's lobby and of the hub's as sorted lines.
std::multiset<std::string> ServerLines(const LiveLobby& live) {
    std::multiset<std::string> lines;
    for (const PlayerEntry& p : live.lobby.players)
        lines.insert(Row("player", p.id, p.name, p.value, p.status));
    for (const RoomEntry& r : live.lobby.rooms)
        lines.insert(Row("room", r.id, r.name, r.money_kind, r.state));
    for (const PresenceEntry& p : live.lobby.presences)
        lines.insert(Row("presence", p.id, p.room_id, p.player_id));
    for (const TableEntry& t : live.lobby.tables)
        lines.insert(Row("table", Values(t.values)));
    for (const SeatEntry& s : live.lobby.seats)
        lines.insert(Row("seat", s.id, s.room_id, s.table_id, s.player_id));
    for (const ContactEntry& c : live.contacts)
        lines.insert(Row("contact", c.id, c.player_id, c.relation));
    return lines;
}

std::multiset<std::string> HubLines() {
    std::multiset<std::string> lines;
    for (const PlayerRecord& p : players)
        lines.insert(Row("player", p.id, Utf8FromWide(p.name), p.value, p.status));
    for (const RoomRecord& r : rooms)
        lines.insert(Row("room", r.id, Utf8FromWide(r.name), r.moneyKind, r.state));
    for (const RoomPresenceRecord& p : roomPresences)
        lines.insert(Row("presence", p.presenceId, p.roomId, p.playerId));
    for (const TableRecord& t : tables)
        lines.insert(Row("table", Values(t.values)));
    for (const SeatRecord& s : seats)
        lines.insert(Row("seat", s.seatId, s.roomId, s.tableId, s.playerId));
    for (const ContactRecord& c : contactRelations)
        lines.insert(Row("contact", c.contactId, c.playerId, c.relation));
    return lines;
}

// Every id the server's lists name exists, and nobody sits at a table of another room
// (the hub would hold such leftovers as faithfully as the server).
void ExpectConsistent(const LiveLobby& live) {
    std::set<std::int32_t> players, rooms;
    std::set<std::array<std::int32_t, 2>> present, tables;  // room and player, room and table
    for (const PlayerEntry& p : live.lobby.players)
        players.insert(p.id);
    for (const RoomEntry& r : live.lobby.rooms)
        rooms.insert(r.id);
    for (const PresenceEntry& p : live.lobby.presences) {
        ASSERT_TRUE(rooms.count(p.room_id) && players.count(p.player_id)) << "presence " << p.id;
        ASSERT_TRUE(present.insert({p.room_id, p.player_id}).second) << "twice in a room";
    }
    for (const TableEntry& t : live.lobby.tables) {
        ASSERT_TRUE(tables.insert({t.values[1], t.values[0]}).second) << "table " << t.values[0];
        ASSERT_TRUE(present.count({t.values[1], t.values[5]})) << "table " << t.values[0];
        ASSERT_TRUE(t.values[6] == 0 || present.count({t.values[1], t.values[6]}));
        ASSERT_EQ(t.values[2], t.values[6] != 0 ? 1 : 0) << "playing once two sit";
    }
    for (const SeatEntry& s : live.lobby.seats) {
        ASSERT_TRUE(tables.count({s.room_id, s.table_id})) << "seat " << s.id;
        ASSERT_TRUE(present.count({s.room_id, s.player_id})) << "seat " << s.id;
    }
}

TEST_F(ServerLobbyFollowed, TheHubFollowsThousandsOfRandomChanges) {
    LiveLobby live = StartLiveLobby(DemoLobby(), kOwn);
    LiveLobby twin = StartLiveLobby(DemoLobby(), kOwn);
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(live));
    Feed(CurrentLobbyMessages(live));
    ASSERT_EQ(HubLines(), ServerLines(live));
    // A player added by command keeps an id the random changes never give again.
    const std::int32_t added = live.next_player_id;
    LobbyCommand in = ParsedStep("lobby player-in " + IntToText(added) + " 4 Neuling").lobby;
    ASSERT_EQ(ApplyLobbyCommand(twin, in).error, "");
    LobbyChange first = ApplyLobbyCommand(live, in);
    Feed(first.messages);
    std::set<std::int32_t> types;
    for (int i = 1; i <= 3000; ++i) {
        LobbyChange change = RandomLobbyChange(live);
        ASSERT_EQ(change.error, "") << "change " << i;
        ASSERT_FALSE(change.messages.empty()) << "change " << i << ": " << change.note;
        ASSERT_EQ(RandomLobbyChange(twin).messages, change.messages) << "the same every run";
        for (const std::string& message : change.messages) {
            types.insert(TextToInt(message));
            ASSERT_EQ(message.find("21," + IntToText(added) + ":"), std::string::npos);
        }
        Feed(change.messages);
        if (i % 500 == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent(live)) << "after change " << i;
            ASSERT_EQ(HubLines(), ServerLines(live)) << "after change " << i << ": " << change.note;
        }
    }
    EXPECT_EQ(types,
              (std::set<std::int32_t>{17, 21, 22, 31, 32, 34, 38, 53, 71, 72, 73, 112, 114}));
    for (const PresenceEntry& p : live.lobby.presences)
        EXPECT_GE(p.player_id, 2001) << "an account's player moved by chance";
    EXPECT_LT(live.lobby.players.size(), DemoLobby().players.size() * 2);
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
        {"table-open 2 2002", "the room is locked"},
        {"join-request 5001 2001", "nobody asks themselves"},
        {"join-request 77 2002", "no such table"},
        {"join-request 5001 2999", "no such player"},
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
        {"ignores 2999 1", "no such player"},
    };
    LiveLobby live = SmallLobby();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        const std::multiset<std::string> before = ServerLines(live);
        LobbyChange change =
            ApplyLobbyCommand(live, ParsedStep(std::string("lobby ") + c.command).lobby);
        EXPECT_EQ(change.error, c.error);
        if (*c.error == '\0') continue;
        EXPECT_EQ(change.messages, std::vector<std::string>{});
        EXPECT_EQ(ServerLines(live), before);
    }
}

TEST_F(ServerSession, ClientRequestsAreAnsweredAsTheGameServerDoes) {
    LiveLobby live = SmallLobby();
    // A contact already listed; a relation out of range.
    EXPECT_EQ(ClientAddsContact(live, "Bert").messages, std::vector<std::string>{"52,2,!"});
    EXPECT_NE(ClientSetsRelation(live, 101, 7).error, "");
    // Private messages: delivered (no answer) or the reason why not.
    struct Private {
        const char* nickname;
        std::vector<std::string> messages;
    } privates[] = {
        {"Bert", {}},
        {"Nobody", {"62,1,Tm9ib2R5,!"}},
        {"Dora", {"62,2,RG9yYQ==,!"}},
        {"Cleo", {"62,3,Q2xlbw==,!"}},
    };
    for (const Private& p : privates)
        EXPECT_EQ(ClientSendsPrivate(live, p.nickname, "aGk=").messages, p.messages) << p.nickname;
    ASSERT_EQ(SetIgnoring(live, 2002, true).error, "");
    EXPECT_EQ(ClientSendsPrivate(live, "Bert", "aGk=").messages,
              std::vector<std::string>{"62,4,QmVydA==,!"});
    live.contacts.clear();
    EXPECT_EQ(RandomPrivateMessage(live).error, "no contact online to write");

    // Join requests: one the own player declines is settled without a word; the own
    // request is accepted at once and seats the own player.
    ASSERT_EQ(AskToJoin(live, 5001, 2002, kOwn).error, "");
    LobbyChange declined = ClientAnswersJoin(live, 1, 0);
    EXPECT_EQ(declined.error, "");
    EXPECT_TRUE(declined.messages.empty());
    EXPECT_EQ(ClientAnswersJoin(live, 1, kJoinAccepted).error, "no such join request");
    EXPECT_EQ(ClientAsksToJoin(live, 5001).messages,
              (std::vector<std::string>{"101,2:1:5001:1001:2001:0,!", "103,2,1,!",
                                        "71,5001:1:1:5:5:2001:1001:30:0:0:0:0:0:0:0:0:0:0;,!",
                                        "72,9002:1:5001:1001;,!"}));
    EXPECT_TRUE(live.joins.empty());
}

}  // namespace
