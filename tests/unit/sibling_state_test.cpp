// What the development sibling programs hold from the hub's relay texts and show, the
// chat lines they send, and how they read their test modes and commands.
#include <gtest/gtest.h>

#include <chrono>

#include "net/text_convert.h"
#include "siblings/sibling_state.h"
#include "siblings/sibling_text.h"

namespace {

SiblingState Room() {
    SiblingIdentity identity;
    identity.id = 5;
    identity.roomId = 5;
    identity.roomName = "Play Money Arena";
    identity.roomState = "1";
    return StartState(SiblingKind::Room, identity);
}

SiblingState Board() {
    SiblingIdentity identity;
    identity.id = 5001;
    identity.roomId = 5;
    return StartState(SiblingKind::Board, identity);
}

// The replay a room window gets when it opens: players, contacts, presences, tables
// (values 0, 2..16 and the open flag) and seats.
void ReplayRoom(SiblingState& room) {
    ApplyRelay(room, 21, "1001:demo:1500:4;2001:Anna:1600:3;2002:Zo\xC3\xAB:1700:4;");
    ApplyRelay(room, 51, "101:2001:0;102:2002:2;");
    ApplyRelay(room, 32, "7001:2001;7002:2002;");
    ApplyRelay(room, 71, "5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:1;");
    ApplyRelay(room, 72, "9001:5001:2001;9002:5001:2002;");
}

TEST(SiblingState, RoomWindowShowsItsRoomFromTheReplay) {
    SiblingState room = Room();
    ReplayRoom(room);
    EXPECT_EQ(DescribeState(room),
              (std::vector<std::string>{
                  "Room 5: Play Money Arena, state 1",
                  "Players online: 3, contacts: 2 (1 friends, 1 ignored)",
                  "In the room (2):",
                  "  Anna, away",
                  "  Zo\xC3\xAB, online",
                  "Tables (1), seats (2):",
                  "  5001: Anna - Zo\xC3\xAB, playing, 5 points, stake 500 [window open]",
                  "    seats: Anna, Zo\xC3\xAB",
              }));
}

TEST(SiblingState, RoomWindowFollowsLaterRelays) {
    struct Step {
        std::uint32_t code;  // 0: notification 38 with the number in the payload
        const char* payload;
        std::vector<std::string> expected;  // lines that must be shown
        std::vector<std::string> gone;      // lines that must not
    } steps[] = {
        {0, "5001", {"  5001: Anna - Zo\xC3\xAB, playing, 5 points, stake 500"}, {}},
        {31, "Lobby, north,2", {"Room 5: Lobby, north, state 2"}, {}},
        {17, "2001,2", {"  Anna, do not disturb"}, {}},
        // A presence or seat id already known keeps its first entry, as in the hub.
        {32, "7003:2003;7003:2004;", {"In the room (3):", "  #2003, status unknown"}, {}},
        {21, "2003:Cleo:1500:1;", {"  Cleo, shown offline"}, {}},
        {72, "9003:5001:2003;", {"    seats: Anna, Zo\xC3\xAB, Cleo"}, {}},
        {112, "9003", {"    seats: Anna, Zo\xC3\xAB"}, {}},
        // Leaving the room takes the player's seats with the presence.
        {38, "7002", {"In the room (2):", "    seats: Anna"}, {"  Zo\xC3\xAB, online"}},
        {53, "102,0", {"Players online: 4, contacts: 2 (2 friends, 0 ignored)"}, {}},
        {54, "101", {"Players online: 4, contacts: 1 (1 friends, 0 ignored)"}, {}},
        {39, "5001:2", {"Last answer: table 5001 opened"}, {}},
        {39, "5001:0", {"Last answer: table 5001 already open"}, {}},
        {120, "2001:aGFsbG8sIHfDtnJsZA==", {"Chat:", "  Anna: hallo, w\xC3\xB6rld"}, {}},
        {122, "2003:3:5", {"  Cleo rolls 3-5"}, {}},
        {77, "what:ever", {"Texts:", "  relay 77: what:ever"}, {}},
        // Status 0 clears the player's rooms and seats; 22 forgets the player.
        {17, "2001,0", {"In the room (1):"}, {"    seats: Anna"}},
        {22,
         "2003",
         {"In the room (0):", "Players online: 3, contacts: 1 (1 friends, 0 ignored)"},
         {}},
        {73, "5001", {"Tables (0), seats (0):"}, {}},
    };
    SiblingState room = Room();
    ReplayRoom(room);
    for (const Step& step : steps) {
        SCOPED_TRACE(std::to_string(step.code) + " " + step.payload);
        if (step.code == 0)
            ApplyNotification(room, 38, TextToInt(step.payload));
        else
            ApplyRelay(room, step.code, step.payload);
        std::vector<std::string> shown = DescribeState(room);
        std::string all;
        for (const std::string& line : shown)
            all += line + "\n";
        for (const std::string& line : step.expected)
            EXPECT_TRUE(std::find(shown.begin(), shown.end(), line) != shown.end())
                << "no line \"" << line << "\" in\n"
                << all;
        for (const std::string& line : step.gone)
            EXPECT_TRUE(std::find(shown.begin(), shown.end(), line) == shown.end())
                << "still \"" << line << "\" in\n"
                << all;
    }
}

TEST(SiblingState, TableWindowShowsItsTable) {
    SiblingState board = Board();
    ApplyRelay(board, 71, "5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0");
    ApplyRelay(board, 21, "2001:Anna:1600:3;2002:Bert:1700:4;2003:Cleo:1500:4;");
    ApplyRelay(board, 72, "9001:2001;9003:2003;");
    for (std::uint32_t code : {10u, 11u, 12u, 13u})
        ApplyNotification(board, code, code - 9);
    ApplyRelay(board, 121, "2002:Z2c=");
    EXPECT_EQ(DescribeState(board), (std::vector<std::string>{
                                        "Table 5001 in room 5",
                                        "5001: Anna - Bert, playing, 5 points, stake 500",
                                        "At the table (2): Anna, Cleo",
                                        "Players online: 3, contacts: 0 (0 friends, 0 ignored)",
                                        "From the hub: sound 1, save 2, timestamp 3, enterexit 4",
                                        "Chat:",
                                        "  Bert: gg",
                                    }));
}

TEST(SiblingState, MalformedTextsReadAsZeroAndListsStayBounded) {
    SiblingState room = Room();
    for (const char* payload :
         {"", ";;;", ":", "x:y:z;", "1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19:20",
          "-5:\xFF\xFE:-1:99999999999;"}) {
        SCOPED_TRACE(payload);
        for (std::uint32_t code : {17u, 21u, 22u, 31u, 32u, 38u, 39u, 51u, 53u, 54u, 71u, 72u, 73u,
                                   112u, 120u, 121u, 122u, 4000000000u})
            ApplyRelay(room, code, payload);
        EXPECT_FALSE(DescribeState(room).empty());
    }
    ApplyRelay(room, 71, "8:1:2:3:4:5:6:7:8:9:10:11:12:13:14:15:16:17:18:19:20;");
    EXPECT_EQ(room.tables[8].size(), 16u) << "a long record keeps values 2 to 16 and the flag";

    std::string many;
    for (std::size_t i = 0; i < kSiblingListLimit + 10; ++i)
        many += std::to_string(i + 1) + ":p:1:4;";
    ApplyRelay(room, 21, many);
    EXPECT_EQ(room.players.size(), kSiblingListLimit);
    ApplyRelay(room, 21, "1:renamed:1:4;");
    EXPECT_EQ(room.players[1].name, "renamed") << "known entries still change";
    for (int i = 0; i < 100; ++i)
        ApplyRelay(room, 120, "1:YQ==");
    EXPECT_EQ(room.chat.size(), kSiblingRecentLines);
    EXPECT_LE(DescribeState(room).size(), 401u);
}

TEST(SiblingState, LargeRoomsAreShownInTimeLinearInTheirSize) {
    // 20,000 tables with a seat each: a room window shows its seats after every relay, and
    // a pass over every seat for every table kept it busy for seconds each time.
    SiblingState room = Room();
    std::string tables, seats;
    for (int i = 1; i <= 20000; ++i) {
        tables += std::to_string(i) + ";";
        seats += std::to_string(i) + ":" + std::to_string(i) + ":2001;";
    }
    ApplyRelay(room, 21, "2001:Anna:1600:3;");
    ApplyRelay(room, 71, tables);
    ApplyRelay(room, 72, seats);
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::string> lines = DescribeState(room);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::seconds(5));
    ASSERT_GT(lines.size(), 6u);
    EXPECT_EQ(lines[4], "  1: (free) - (free), waiting, 0 points, stake 0");
    EXPECT_EQ(lines[5], "    seats: Anna");
}

TEST(SiblingState, ChatLinesBecomeTheServersChatMessages) {
    EXPECT_EQ(ChatMessage(Room(), "hallo"), "120,5,aGFsbG8=,!");
    EXPECT_EQ(ChatMessage(Board(), "gg, wp"), "121,5001," + Base64Encode("gg, wp") + ",!");
    EXPECT_EQ(ChatMessage(Room(), ""), "");
    SiblingIdentity join;
    join.id = 9;
    EXPECT_EQ(ChatMessage(StartState(SiblingKind::Join, join), "hi"), "");
    // A conversation writes to its partner, named as the command line gave the name.
    SiblingIdentity chat =
        IdentityOf(SiblingKind::Chat, {"73", "1", "1", "1", "0", "1", "\xC5\x81ucja", "aGk="});
    EXPECT_EQ(ChatMessage(StartState(SiblingKind::Chat, chat), "Cze\xC5\x9B\xC4\x87, gramy?"),
              "61," + Base64Encode("\xC5\x81ucja") + "," +
                  Base64Encode("Cze\xC5\x9B\xC4\x87, gramy?") + ",!");
    EXPECT_EQ(ChatMessage(StartState(SiblingKind::Chat, SiblingIdentity{}), "hi"), "");
}

TEST(SiblingState, AJoinWindowAnswersItsOwnRequest) {
    SiblingIdentity join;
    join.id = 9;
    EXPECT_EQ(JoinAnswer(StartState(SiblingKind::Join, join), 1), "9:1");
    EXPECT_EQ(JoinAnswer(StartState(SiblingKind::Join, join), 0), "9:0");
    EXPECT_EQ(JoinAnswer(Room(), 1), "");
}

TEST(SiblingTestModes, LastLineNamingTheProgramWins) {
    struct Case {
        const char* file;
        const char* program;
        std::int64_t id;
        SiblingMode mode;
    } cases[] = {
        {"", "RoomView", 5, SiblingMode::Normal},
        {"RoomView hung\n", "RoomView", 5, SiblingMode::Hung},
        {"RoomView hung\n", "BoardView", 5, SiblingMode::Normal},
        {"* never-idle\nBoardView normal\n", "BoardView", 7, SiblingMode::Normal},
        {"* never-idle\nBoardView normal\n", "RoomView", 7, SiblingMode::NeverIdle},
        {"RoomView 5 hung", "RoomView", 5, SiblingMode::Hung},
        {"RoomView 5 hung", "RoomView", 6, SiblingMode::Normal},
        {"RoomView * hung", "RoomView", 6, SiblingMode::Hung},
        {"# RoomView hung\r\n\r\n  RoomView \t never-idle  \r\n", "RoomView", 1,
         SiblingMode::NeverIdle},
        {"RoomView hung\nRoomView sleepy\n", "RoomView", 1, SiblingMode::Hung},
        {"BoardView 5001 no-window\n", "BoardView", 5001, SiblingMode::NoWindow},
        {"RoomView 1 hung now\n", "RoomView", 1, SiblingMode::Normal},
        {"RoomView x hung\n", "RoomView", 1, SiblingMode::Normal},
        {"roomview hung\n", "RoomView", 1, SiblingMode::Normal},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(ModeFor(c.file, c.program, c.id), c.mode);
    }
}

TEST(SiblingTestCommands, ChatTakesTheRestOfTheLine) {
    TestCommand chat = ParseTestCommand("chat hello,  there!");
    EXPECT_EQ(chat.action, TestAction::Chat);
    EXPECT_EQ(chat.text, "hello,  there!");
    EXPECT_EQ(ParseTestCommand("chat").action, TestAction::Invalid);
    EXPECT_EQ(ParseTestCommand("chat ").action, TestAction::Invalid);
}

TEST(SiblingTestCommands, MoveTakesTwoCoordinates) {
    TestCommand move = ParseTestCommand("move -700 25");
    EXPECT_EQ(move.action, TestAction::Move);
    EXPECT_EQ(move.number, -700);
    EXPECT_EQ(move.y, 25);
    for (const char* bad :
         {"move", "move 1", "move 1 2 3", "move x 2", "move 1 99999", "move 1  2"})
        EXPECT_EQ(ParseTestCommand(bad).action, TestAction::Invalid) << bad;
}

}  // namespace
