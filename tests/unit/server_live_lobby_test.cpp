// The development server's lobby as it changes: the exact messages of each command, a
// client that follows the messages by the hub's rules ending with the server's lobby
// after thousands of random changes, the echoes of the logged-in player's own room
// entries and chat lines, and the scheduled changes.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <set>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_live.h"
#include "server/lobby_messages.h"
#include "server/log.h"
#include "server/options.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"

namespace {

constexpr std::int32_t kOwn = 1001;

// What a client holds after applying server messages by the hub's rules: records by id,
// a known table updated only in values 2, 6, 14, 15 and 16, a player's log-off dropping
// their rooms, seats, contact and tables, a room's removal dropping what was in it.
struct Mirror {
    std::map<std::int32_t, std::string> players;                    // "name:value:status"
    std::map<std::int32_t, std::string> rooms;                      // "name:kind:state"
    std::map<std::int32_t, std::array<std::int32_t, 2>> presences;  // room, player
    std::map<std::int32_t, std::vector<std::int32_t>> tables;       // values 0..16
    std::map<std::int32_t, std::array<std::int32_t, 3>> seats;      // room, table, player
    std::map<std::int32_t, std::array<std::int32_t, 2>> contacts;   // player, relation

    bool operator==(const Mirror&) const = default;

    template <class Map, class Match>
    static void EraseIf(Map& map, Match match) {
        std::erase_if(map, [&](const auto& entry) { return match(entry.second); });
    }

    void DropPlayerPlaces(std::int32_t player) {
        EraseIf(presences, [&](const auto& p) { return p[1] == player; });
        EraseIf(seats, [&](const auto& s) { return s[2] == player; });
    }

    void Apply(const std::string& queued) {
        ASSERT_EQ(queued.back(), '!') << queued;
        FieldList fields = SplitFields(std::string_view(queued).substr(0, queued.size() - 1));
        ASSERT_GE(fields.size(), 2u) << queued;
        std::int32_t type = TextToInt(fields[0]);
        std::string_view field = fields[1];
        auto items = [](std::string_view record) {
            std::vector<std::string> out;
            for (std::string_view item : SplitItems(record))
                out.emplace_back(item);
            return out;
        };
        auto n = [](const std::string& item) { return TextToInt(item); };
        switch (type) {
            case 21:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 4u) << queued;
                    players[n(i[0])] = i[1] + ":" + i[2] + ":" + i[3];
                }
                break;
            case 22: {
                std::int32_t id = TextToInt(field);
                players.erase(id);
                EraseIf(contacts, [&](const auto& c) { return c[0] == id; });
                DropPlayerPlaces(id);
                EraseIf(tables, [&](const auto& t) { return t[5] == id || t[6] == id; });
                break;
            }
            case 17: {
                std::int32_t id = TextToInt(field);
                ASSERT_EQ(fields.size(), 3u) << queued;
                auto player = players.find(id);
                if (player != players.end()) {
                    std::string& record = player->second;
                    record = record.substr(0, record.rfind(':') + 1) + std::string(fields[2]);
                }
                if (TextToInt(fields[2]) == 0) DropPlayerPlaces(id);
                break;
            }
            case 31:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 4u) << queued;
                    rooms[n(i[0])] = i[1] + ":" + i[2] + ":" + i[3];
                }
                break;
            case 33: {
                std::int32_t id = TextToInt(field);
                rooms.erase(id);
                EraseIf(presences, [&](const auto& p) { return p[0] == id; });
                EraseIf(tables, [&](const auto& t) { return t[1] == id; });
                EraseIf(seats, [&](const auto& s) { return s[0] == id; });
                break;
            }
            case 32:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 3u) << queued;
                    presences.try_emplace(n(i[0]), std::array{n(i[1]), n(i[2])});
                }
                break;
            case 38: {
                auto presence = presences.find(TextToInt(field));
                if (presence == presences.end()) break;
                auto [room, player] = presence->second;
                presences.erase(presence);
                EraseIf(seats, [&](const auto& s) { return s[0] == room && s[2] == player; });
                break;
            }
            case 71:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 18u) << queued;
                    std::vector<std::int32_t> values;
                    for (std::size_t k = 0; k < 17; ++k)
                        values.push_back(n(i[k]));
                    auto table = tables.find(values[0]);
                    if (table == tables.end()) {
                        tables[values[0]] = values;
                        continue;
                    }
                    for (std::size_t k : {2, 6, 14, 15, 16})
                        table->second[k] = values[k];
                }
                break;
            case 72:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 4u) << queued;
                    seats.try_emplace(n(i[0]), std::array{n(i[1]), n(i[2]), n(i[3])});
                }
                break;
            case 73: {
                std::int32_t id = TextToInt(field);
                EraseIf(seats, [&](const auto& s) { return s[1] == id; });
                tables.erase(id);
                break;
            }
            case 112:
                seats.erase(TextToInt(field));
                break;
            case 51:
                for (std::string_view record : SplitRecords(field)) {
                    auto i = items(record);
                    ASSERT_EQ(i.size(), 3u) << queued;
                    contacts[n(i[0])] = {n(i[1]), n(i[2])};
                }
                break;
            case 53: {
                ASSERT_EQ(fields.size(), 3u) << queued;
                auto contact = contacts.find(TextToInt(field));
                if (contact != contacts.end()) contact->second[1] = TextToInt(fields[2]);
                break;
            }
            case 54:
                contacts.erase(TextToInt(field));
                break;
            case 34:
            case 114:
                ASSERT_EQ(fields.size(), 4u) << queued;
                break;
            default:
                FAIL() << "unexpected message " << queued;
        }
    }
};

Mirror MirrorOf(const LiveLobby& live) {
    Mirror mirror;
    for (const std::string& message : CurrentLobbyMessages(live))
        mirror.Apply(message);
    return mirror;
}

// Every id the lobby's lists name exists, and no one sits at a table of another room.
void ExpectConsistent(const LiveLobby& live) {
    std::set<std::int32_t> players, rooms;
    std::map<std::int32_t, std::int32_t> table_room;
    for (const PlayerEntry& p : live.lobby.players)
        ASSERT_TRUE(players.insert(p.id).second) << p.id;
    for (const RoomEntry& r : live.lobby.rooms)
        ASSERT_TRUE(rooms.insert(r.id).second) << r.id;
    std::set<std::array<std::int32_t, 2>> present;
    for (const PresenceEntry& p : live.lobby.presences) {
        ASSERT_TRUE(rooms.count(p.room_id) && players.count(p.player_id)) << p.id;
        ASSERT_TRUE(present.insert({p.room_id, p.player_id}).second) << "twice in a room";
    }
    for (const TableEntry& t : live.lobby.tables) {
        ASSERT_TRUE(table_room.emplace(t.values[0], t.values[1]).second) << t.values[0];
        ASSERT_TRUE(rooms.count(t.values[1]));
        ASSERT_TRUE(present.count({t.values[1], t.values[5]})) << "table " << t.values[0];
        ASSERT_TRUE(t.values[6] == 0 || present.count({t.values[1], t.values[6]}));
        ASSERT_EQ(t.values[2], t.values[6] != 0 ? 1 : 0);
        ASSERT_EQ(t.opening_mark, 0);
    }
    for (const SeatEntry& s : live.lobby.seats) {
        auto table = table_room.find(s.table_id);
        ASSERT_NE(table, table_room.end()) << "seat " << s.id;
        ASSERT_EQ(table->second, s.room_id) << "seat " << s.id;
        ASSERT_TRUE(present.count({s.room_id, s.player_id})) << "seat " << s.id;
    }
    for (const ContactEntry& c : live.contacts)
        ASSERT_TRUE(players.count(c.player_id)) << c.id;
}

TEST(ServerLiveLobby, ClientFollowsThousandsOfRandomChanges) {
    LiveLobby live = StartLiveLobby(DemoLobby(), kOwn);
    Mirror client = MirrorOf(live);
    std::set<std::int32_t> types;
    for (int i = 0; i < 3000; ++i) {
        LobbyChange change = RandomLobbyChange(live);
        ASSERT_EQ(change.error, "") << "change " << i;
        ASSERT_FALSE(change.messages.empty()) << "change " << i << ": " << change.note;
        for (const std::string& message : change.messages) {
            ASSERT_NO_FATAL_FAILURE(client.Apply(message)) << "change " << i << ": " << change.note;
            types.insert(TextToInt(message));
        }
        if (i % 500 == 0) {
            ASSERT_NO_FATAL_FAILURE(ExpectConsistent(live)) << "after change " << i;
            ASSERT_EQ(client, MirrorOf(live)) << "after change " << i << ": " << change.note;
        }
    }
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent(live));
    EXPECT_EQ(client, MirrorOf(live));
    EXPECT_EQ(types,
              (std::set<std::int32_t>{17, 21, 22, 31, 32, 34, 38, 53, 71, 72, 73, 112, 114}));
    // The accounts' players are never moved by chance.
    for (const PresenceEntry& p : live.lobby.presences)
        EXPECT_GE(p.player_id, 2001);
    // A lobby that keeps changing stays about the size it started with.
    EXPECT_LT(live.lobby.players.size(), DemoLobby().players.size() * 2);
}

TEST(ServerLiveLobby, SameChangesEveryRun) {
    LiveLobby a = StartLiveLobby(DemoLobby(), kOwn);
    LiveLobby b = StartLiveLobby(DemoLobby(), kOwn);
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(RandomLobbyChange(a).messages, RandomLobbyChange(b).messages) << i;
}

// A small lobby whose ids the expectations below can name.
LiveLobby SmallLobby() {
    Lobby lobby;
    lobby.players = {{kOwn, "demo", 1500, 4},
                     {2001, "Anna", 1600, 4},
                     {2002, "Bert", 1700, 3},
                     {2003, "Cleo", 1800, 2}};
    lobby.rooms = {{1, "Open", 1, kRoomOpen}, {2, "Locked", 2, kRoomLocked}};
    lobby.presences = {{7001, 1, 2001}};
    LiveLobby live = StartLiveLobby(lobby, kOwn);
    live.contacts = {{101, 2002, 0}};
    live.next_contact_id = 102;
    return live;
}

LobbyCommand Parse(const std::string& line) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptLine("lobby " + line, 1, plan, parsed, error)) << line << ": " << error;
    EXPECT_EQ(parsed.step.kind, StepKind::Lobby);
    return parsed.step.lobby;
}

TEST(ServerLiveLobby, CommandsSendExactlyTheirMessages) {
    struct Case {
        const char* command;
        std::vector<std::string> messages;
        const char* error = "";
    } cases[] = {
        {"player-in 2004 4 Dora", {"21,2004:Dora:1500:4;,!"}},
        {"player-in 2004 3 Dorota", {"21,2004:Dorota:1500:3;,!"}},
        {"player-in 2005 4 a:b", {}, "a name is not empty and holds none of , ; : !"},
        {"status 2004 2", {"17,2004,2,!"}},
        {"status 2999 2", {}, "no such player"},
        {"enter 1 2002", {"32,7002:1:2002;,!"}},
        {"enter 1 2002", {}, "already in that room"},
        {"enter 2 2002", {}, "the room is locked"},
        {"enter 3 2002", {}, "no such room"},
        // Table values: id, room, playing, length 5, stake, players, 30 s, the rest 0.
        {"table-open 1 2001",
         {"71,1:1:0:5:5:2001:0:30:0:0:0:0:0:0:0:0:0:0;,!", "72,1:1:1:2001;,!"}},
        {"table-open 1 2001", {}, "already playing in that room"},
        {"table-join 1 2002",
         {"71,1:1:1:5:5:2001:2002:30:0:0:0:0:0:0:0:0:0:0;,!", "72,2:1:1:2002;,!"}},
        // Not yet in the room: enters first, and watches the full table.
        {"table-join 1 2003", {"32,7003:1:2003;,!", "72,3:1:1:2003;,!"}},
        {"table-join 1 2003", {}, "already at that table"},
        // The second player goes: the table waits again.
        {"seat-leave 2", {"112,2,!", "71,1:1:0:5:5:2001:0:30:0:0:0:0:0:0:0:0:0:0;,!"}},
        {"seat-leave 2", {}, "no such seat"},
        // The first player leaves the room: the table closes before the presence goes.
        {"leave 1 2001", {"73,1,!", "38,7001,!"}},
        {"leave 1 2001", {}, "not in that room"},
        {"table-open 1 2002 2003 1",
         {"71,2:1:1:5:5:2002:2003:30:0:0:0:0:0:0:0:0:0:1;,!", "72,4:1:2:2002;5:1:2:2003;,!"}},
        {"table-open 2 2002", {}, "the room is locked"},
        {"player-out 2003", {"73,2,!", "22,2003,!"}},
        {"player-out 1001", {}, "the logged-in player stays"},
        {"contact 2002 2", {"53,101,2,!"}},
        {"contact 2004 0", {"51,102:2004:0;,!"}},
        {"contact 1001 0", {}, "not a contact of oneself"},
        {"contact-remove 2002", {"54,101,!"}},
        {"contact-remove 2002", {}, "no such contact"},
        {"room-state 2 1", {"31,2:Locked:2:1;,!"}},
        {"room-add 3 3 1 Neu", {"31,3:Neu:3:1;,!"}},
        {"room-remove 1", {"33,1,!"}},
        {"room-text 5 120 2001:aGk=", {"34,5,120,2001:aGk=,!"}},
        {"table-text 9 7 x\\sy", {"114,9,7,x y,!"}},
        {"table-close 2", {}, "no such table"},
    };
    LiveLobby live = SmallLobby();
    Mirror client = MirrorOf(live);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        LobbyChange change = ApplyLobbyCommand(live, Parse(c.command));
        EXPECT_EQ(change.messages, c.messages);
        EXPECT_EQ(change.error, c.error);
        for (const std::string& message : change.messages)
            client.Apply(message);
        ASSERT_NO_FATAL_FAILURE(ExpectConsistent(live));
        EXPECT_EQ(client, MirrorOf(live));
    }
}

TEST(ServerLiveLobby, RandomPlayersNeverTakeTheIdOfOneAddedByCommand) {
    LiveLobby live = StartLiveLobby(DemoLobby(), kOwn);
    std::int32_t id = live.next_player_id;
    ASSERT_EQ(
        ApplyLobbyCommand(live, Parse("player-in " + std::to_string(id) + " 4 Neuling")).error, "");
    for (int i = 0; i < 500; ++i) {
        for (const std::string& message : RandomLobbyChange(live).messages)
            ASSERT_EQ(message.find("21," + std::to_string(id) + ":"), std::string::npos) << message;
    }
}

TEST(ServerLiveLobby, BadCommandLines) {
    for (const char* line : {"lobby", "lobby fly", "lobby enter 1", "lobby enter 1 x",
                             "lobby enter 1 2 3", "lobby random 10001", "lobby enter 1 2147483648",
                             "lobby player-in 5 4", "lobby table-open 1 2 3 4 5"}) {
        SCOPED_TRACE(line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        EXPECT_FALSE(ParseScriptLine(line, 1, plan, parsed, error));
        EXPECT_NE(error, "");
    }
}

class ServerLobbySession : public ::testing::Test {
protected:
    void SetUp() override { OpenLogFile("/dev/null"); }
    void TearDown() override { CloseLogFile(); }

    // Logs in as demo without stop-and-wait and drops the login's output.
    static void LogIn(Session& session) {
        session.ack_wait = false;
        ReceiveClientBytes(session, "1,11," + Base64Encode("demo,demo1234") + ",!", 0);
        session.out.clear();
    }

    // The session's output as messages without their numbers and "!".
    static std::vector<std::string> Take(Session& session) {
        std::vector<std::string> messages;
        ForEachMessage(session.out, [&](std::string_view piece) {
            if (piece.empty()) return;
            FieldList fields = SplitFields(piece);
            std::string text;
            for (std::size_t i = fields.size() == 2 ? 0 : 1; i < fields.size(); ++i)
                text += std::string(fields[i]) + ",";
            messages.push_back(text);
        });
        session.out.clear();
        return messages;
    }
};

TEST_F(ServerLobbySession, OwnRoomEntriesAndChatLinesComeBack) {
    Session session;
    LogIn(session);
    std::int32_t presence = session.lobby->next_presence_id;
    std::string own = "1001:";
    struct Step {
        std::string client;
        std::vector<std::string> server;
    } steps[] = {
        {"2,32,5,!", {"2,2,", "32," + IntToText(presence) + ":5:1001;,"}},
        {"3,32,5,!", {"2,3,"}},   // already there
        {"4,32,77,!", {"2,4,"}},  // no such room
        {"5,120,5,aGkh,!", {"2,5,", "34,5,120," + own + "aGkh,"}},
        {"6,120,6,aGkh,!", {"2,6,"}},  // not in room 6
        {"7,120,5,,!", {"2,7,"}},      // no text
        {"8,120,5,a;b,!", {"2,8,"}},   // not Base64
        {"9,121,5001,aGkh,!", {"2,9,", "114,5001,121," + own + "aGkh,"}},
        {"10,121,1,aGkh,!", {"2,10,"}},  // no such table
        {"11,111,5:5001,!", {"2,11,"}},
        {"12,112,5001,!", {"2,12,"}},
        {"13,38,5,!", {"2,13,", "38," + IntToText(presence) + ","}},
        {"14,38,5,!", {"2,14,"}},
        {"15,999,anything,!", {"2,15,"}},  // a sibling's own text, forwarded by the hub
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.client);
        ReceiveClientBytes(session, step.client, 0);
        EXPECT_EQ(Take(session), step.server);
    }
}

TEST_F(ServerLobbySession, ScheduledChangesWaitForASlowClient) {
    Session session;
    session.lobby_every_ms = 100;
    LogIn(session);  // at 0: the first change falls due at 100
    PumpSession(session, 99);
    EXPECT_EQ(Take(session), std::vector<std::string>{});
    PumpSession(session, 100);
    EXPECT_FALSE(Take(session).empty());
    EXPECT_EQ(SessionDeadline(session), 200);
    PumpSession(session, 150);
    EXPECT_EQ(Take(session), std::vector<std::string>{});

    // A client that acknowledges nothing: the changes stop while the queue is long.
    Session silent;
    silent.lobby_every_ms = 100;
    ReceiveClientBytes(silent, "1,11," + Base64Encode("demo,demo1234") + ",!", 0);
    std::size_t queued = silent.queue.size();
    ASSERT_GE(queued, 20u);
    for (std::int64_t now = 100; now <= 100000; now += 100)
        PumpSession(silent, now);
    EXPECT_EQ(silent.queue.size(), queued);
}

TEST_F(ServerLobbySession, StepsChangeTheLobbyOrFailTheScript) {
    Session session;
    StepRunner runner;
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    ASSERT_TRUE(ParseScriptLine("lobby status 2001 1", 3, plan, parsed, error));
    AppendStep(runner, parsed.step);
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(runner.state, RunState::Failed);
    EXPECT_EQ(runner.failed_line, 3);
    EXPECT_EQ(runner.failure, "lobby: nobody has logged in on this pair");

    LogIn(session);
    StepRunner after_login;
    for (const char* line : {"lobby status 2001 1", "lobby every 250"}) {
        ASSERT_TRUE(ParseScriptLine(line, 1, plan, parsed, error));
        AppendStep(after_login, parsed.step);
    }
    RunSteps(after_login, session, 1000, 0);
    EXPECT_EQ(after_login.state, RunState::Passed);
    EXPECT_EQ(Take(session), std::vector<std::string>{"17,2001,1,"});
    EXPECT_EQ(session.lobby_every_ms, 250);
    EXPECT_EQ(SessionDeadline(session), 1250);
}

}  // namespace

namespace {

TEST(ServerLiveLobby, ContactRequestsAreAnsweredAsTheGameServerDoes) {
    LiveLobby live = StartLiveLobby(DemoLobby(), kOwn);
    ASSERT_FALSE(live.contacts.empty());
    const ContactEntry listed = live.contacts.front();
    std::string listedName, freeName;
    for (const PlayerEntry& player : live.lobby.players) {
        if (player.id == listed.player_id) listedName = player.name;
        const bool isContact =
            std::any_of(live.contacts.begin(), live.contacts.end(),
                        [&](const ContactEntry& c) { return c.player_id == player.id; });
        if (!isContact && player.id != kOwn && freeName.empty()) freeName = player.name;
    }
    ASSERT_FALSE(freeName.empty());
    const std::size_t before = live.contacts.size();

    EXPECT_EQ(ClientAddsContact(live, "no such one").messages, std::vector<std::string>{"52,1,!"});
    EXPECT_EQ(ClientAddsContact(live, listedName).messages, std::vector<std::string>{"52,2,!"});
    const LobbyChange added = ClientAddsContact(live, freeName);
    ASSERT_EQ(added.messages.size(), 1u);
    EXPECT_EQ(added.messages[0].substr(0, 3), "51,");
    EXPECT_EQ(live.contacts.size(), before + 1);
    EXPECT_EQ(live.contacts.back().relation, 1);

    const std::string id = IntToText(listed.id);
    EXPECT_EQ(ClientSetsRelation(live, listed.id, 2).messages,
              std::vector<std::string>{"53," + id + ",2,!"});
    EXPECT_EQ(live.contacts.front().relation, 2);
    EXPECT_EQ(ClientSetsRelation(live, 999999, 0).messages,
              std::vector<std::string>{"53,999999,0,!"});
    EXPECT_FALSE(ClientSetsRelation(live, listed.id, 7).error.empty());
    EXPECT_EQ(ClientRemovesContact(live, listed.id).messages,
              std::vector<std::string>{"54," + id + ",!"});
    EXPECT_EQ(live.contacts.size(), before);

    EXPECT_EQ(ClientSetsPresence(live, 3).messages, std::vector<std::string>{"17,1001,3,!"});
    EXPECT_TRUE(ClientSetsPresence(live, 0).messages.empty());
    EXPECT_TRUE(ClientSetsPresence(live, 5).messages.empty());
}

TEST(ServerLiveLobby, PresenceStormChangesEveryOtherTimeAContact) {
    LiveLobby live = StartLiveLobby(DemoLobby(), kOwn);
    Mirror client = MirrorOf(live);
    std::set<std::int32_t> contactPlayers;
    for (const ContactEntry& c : live.contacts)
        contactPlayers.insert(c.player_id);
    int ofContacts = 0;
    constexpr int kChanges = 2000;
    for (int i = 0; i < kChanges; ++i) {
        const Mirror before = client;
        LobbyChange change = StormPresenceChange(live);
        ASSERT_EQ(change.error, "") << i;
        ASSERT_EQ(change.messages.size(), 1u) << i;
        const FieldList fields = SplitFields(change.messages[0]);
        ASSERT_EQ(fields[0], "17") << i;
        const std::int32_t player = TextToInt(fields[1]), status = TextToInt(fields[2]);
        ASSERT_GE(player, 2001) << "an account's player moved";
        ASSERT_GE(status, 1) << i;  // nobody leaves: no rooms or seats change
        ASSERT_LE(status, 4) << i;
        // Always a change: the old status is another one.
        const std::string& old = before.players.at(player);
        ASSERT_NE(TextToInt(old.substr(old.rfind(':') + 1)), status) << i;
        ASSERT_NO_FATAL_FAILURE(client.Apply(change.messages[0]));
        if (contactPlayers.count(player)) ++ofContacts;
    }
    EXPECT_EQ(client, MirrorOf(live));
    // Every other change is a contact's; a few of the others hit a contact by chance.
    EXPECT_GE(ofContacts, kChanges / 2);
    EXPECT_LT(ofContacts, kChanges / 2 + kChanges / 10);
}

TEST_F(ServerLobbySession, PresenceStormKeepsItsRateAndSkipsForASlowClient) {
    // A client that keeps up: 100 a second from the login on, each at its time.
    Session session;
    session.storm_per_second = 100;
    LogIn(session);  // at 0
    EXPECT_EQ(SessionDeadline(session), 10);
    int changes = 0;
    for (std::int64_t now = SessionDeadline(session); now <= 2000; now = SessionDeadline(session)) {
        PumpSession(session, now);
        for (const std::string& message : Take(session))
            if (TextToInt(message) == 17) ++changes;
    }
    EXPECT_EQ(changes, 200);

    // A client that acknowledges nothing: at most a second's worth waits, the rest is
    // skipped.
    Session silent;
    silent.storm_per_second = 100;
    ReceiveClientBytes(silent, "1,11," + Base64Encode("demo,demo1234") + ",!", 0);
    const std::size_t login = silent.queue.size();
    for (std::int64_t now = 0; now <= 60000; now += 250)
        PumpSession(silent, now);
    EXPECT_LE(silent.queue.size(), std::max<std::size_t>(login, 100));
    EXPECT_GE(silent.storm_skipped, 5000);
}

TEST(ServerOptions, PresenceStormRate) {
    struct Case {
        const char* value;
        bool ok;
        std::int32_t rate;
    } cases[] = {{"100", true, 100}, {"1", true, 1},   {"1000", true, 1000}, {"0", false, 0},
                 {"1001", false, 0}, {"-5", false, 0}, {"", false, 0},       {"10x", false, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        Options options;
        std::string error;
        EXPECT_EQ(ParseOptions({"--presence-storm", c.value}, options, error), c.ok);
        EXPECT_EQ(options.storm_per_second, c.rate);
    }
}

}  // namespace
