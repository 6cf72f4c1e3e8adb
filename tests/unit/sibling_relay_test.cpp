// Room and table launches with their initial replays, the sibling windows' reports, and
// the time limits of synchronous sends, as the lobby port fake records them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "lobby/child_command_line.h"
#include "lobby/relay.h"
#include "lobby/sibling_launch.h"
#include "lobby/sibling_reports.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"
#include "tests/unit/lobby_fixture.h"

namespace {

constexpr char kConfigDatBase64[] = "QzpcVXNlcnNcQW5uXEFwcERhdGFcTG9jYWxcVGF2bG9yYVxjb25maWcuZGF0";
constexpr char kSavedGamesBase64[] = "QzpcVXNlcnNcQW5uXERvY3VtZW50c1xUYXZsb3JhXFNhdmVkR2FtZXM=";

class Siblings : public LobbyTest {
protected:
    // A lobby with a room 5 full of things, a room 6 with nothing, and tables 40, 41.
    void FillLobby() {
        Deliver("21,7:ann:3:4;1001:me:0:4;");
        Deliver("51,60:7:0;61:9:2;");
        Deliver("31,5:Sal\xC3\xB3n:2:0;6:Empty:1:0;");
        Deliver("32,1:5:7;2:5:1001;3:7:9;");
        Deliver(
            "71,40:5:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;"
            "41:5:2:3:4:0:0:7:8:9:10:11:12:13:14:15:0:0;");
        Deliver("72,90:5:40:7;91:5:40:1001;92:7:50:9;");
        lobbyCalls.clear();
        DrainOutboundQueue();
    }
    void EnterRoom(std::int32_t id) {
        SelectedRoomId = id;
        OpenRoomWindow();
    }
    // A WM_COPYDATA as a sibling sends it: the text and its zero, or `size` bytes of it.
    void CopyData(std::uintptr_t code, const std::string& text, std::size_t size) {
        OnSiblingCopyData(code, text.data(), size);
    }
    void CopyData(std::uintptr_t code, const std::string& text) {
        CopyData(code, text + '\0', text.size() + 1);
    }
    // Code 31 from a room window, with only the relay messages it causes.
    Lines RelaysOfRequest(std::intptr_t tableId) {
        lobbyCalls.clear();
        OnTableWindowRequested(tableId);
        return LobbyCallsStartingWith("copydata");
    }
};

// --- Command lines ---

TEST_F(Siblings, RoomAndTableLinesCarryEveryFieldInOrder) {
    language = 2;
    foreground = 0;
    sound = 1;
    timestamp = 1;
    enterexit = 0;
    RoomRecord room;
    room.id = 5;
    room.name = L"Tom, Ann";
    room.moneyKind = 3;
    room.windowX = -20;
    room.windowY = 300;
    room.state = 1;
    EXPECT_EQ(RoomCommandLine(1001, room),
              std::wstring(L" ,?,73,2,0,1,1,0,1001,5,Tom, Ann,3,-20,300,1,") +
                  WideFromNarrow(kConfigDatBase64) + L",");

    int value = 10;
    for (int* setting :
         {&tablesize, &autodelay, &skin, &whitechk, &blackchk, &whitedice, &blackdice, &cube,
          &skiproll, &skipmove, &forcedmove, &autobearoff, &animate, &animatespeed})
        *setting = value++;
    TableRecord table;
    for (int i = 0; i < kTableValueCount; ++i)
        table.values[i] = 100 + i;
    table.values[0] = 40;
    table.values[1] = 5;
    EXPECT_EQ(TableCommandLine(1001, 2, table),
              std::wstring(L" ,?,73,2,0,1001,5,2,40,10,102,11,12,13,14,15,16,17,18,19,20,21,22,"
                           L"23,") +
                  WideFromNarrow(kSavedGamesBase64) + L"," + WideFromNarrow(kConfigDatBase64) +
                  L",");
}

// --- Entering a room ---

TEST_F(Siblings, EnteringARoomStartsFindsReplaysAndTellsTheServer) {
    FillLobby();
    FakeWindowFor(L"KXLobby5", 701);
    FakeImpostorFor(L"KXLobby5", 666);
    std::vector<std::size_t> queuedDuringReplay;
    fakeDuringSend = [&] { queuedDuringReplay.push_back(OutboundCount()); };
    EnterRoom(5);
    EXPECT_EQ(queuedDuringReplay, std::vector<std::size_t>(5, 0)) << "queued after the replay";
    const std::string line =
        "start C:\\Tavlora\\RoomView.exe 1  ,?,73,1,1,1,0,1,1001,5,Sal\xC3\xB3n,2,0,0,0," +
        std::string(kConfigDatBase64) + ",";
    EXPECT_EQ(lobbyCalls,
              (Lines{"hide enter room", "repaint room list", line, "wait 900 5000",
                     "find KXLobby5 of 900", "close 900", Relay(701, 21, "7:ann:3:4;1001:me:0:4;"),
                     Relay(701, 51, "60:7:0;61:9:2;"), Relay(701, 32, "1:7;2:1001;"),
                     Relay(701, 71,
                           "40:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;"
                           "41:2:3:4:0:0:7:8:9:10:11:12:13:14:15:0:0;"),
                     Relay(701, 72, "90:40:7;91:40:1001;")}))
        << "the started program's window, not the one made before it";
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"32,5,!"}));
    EXPECT_EQ(SelectedRoomId, 0);
    EXPECT_TRUE(Room(5).windowOpen);
    EXPECT_EQ(Room(5).window, 701u);
}

TEST_F(Siblings, ARoomWithNothingInItHearsOnlyTheEmptyPlayerList) {
    Deliver("31,6:Empty:1:0;");
    FakeWindowFor(L"KXLobby6", 706);
    lobbyCalls.clear();
    EnterRoom(6);
    EXPECT_EQ(LobbyCallsStartingWith("copydata"), (Lines{Relay(706, 21, "")}));
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"32,6,!"}));
}

TEST_F(Siblings, ATableWindowOpenInTheRoomIsReplayedAsOpen) {
    FillLobby();
    OpenTable(41, 841);
    FakeWindowFor(L"KXLobby5", 700);
    EnterRoom(5);
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700 71"),
              (Lines{Relay(700, 71,
                           "40:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;"
                           "41:2:3:4:0:0:7:8:9:10:11:12:13:14:15:0:1;")}));
}

TEST_F(Siblings, RoomsThatCannotBeEnteredStartNothingButLoseTheSelection) {
    FillLobby();
    Deliver("31,8:Locked:1:2;");
    OpenRoom(6, 706);
    struct Case {
        const char* note;
        std::int32_t id;
    } cases[] = {{"none", 0}, {"negative", -5}, {"unknown", 99}, {"open", 6}, {"locked", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        lobbyCalls.clear();
        EnterRoom(c.id);
        EXPECT_EQ(lobbyCalls, (Lines{"hide enter room", "repaint room list"}));
        EXPECT_EQ(SelectedRoomId, 0);
    }
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

TEST_F(Siblings, AWindowThatDoesNotAppearLeavesTheRoomClosedAndUnreported) {
    FillLobby();
    fakeNextProcess = 0;  // the start failed
    EnterRoom(5);
    EXPECT_EQ(LobbyCallsStartingWith("find"), (Lines{"find KXLobby5 of 0"}));
    EXPECT_TRUE(LobbyCallsStartingWith("copydata").empty());
    EXPECT_FALSE(Room(5).windowOpen);
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

// Any program can make a window of a sibling's class before the sibling starts; only the
// started program's own window is told the lobby.
TEST_F(Siblings, AnotherProgramsWindowOfTheClassIsNotTakenOn) {
    FillLobby();
    FakeImpostorFor(L"KXLobby5", 666);
    EnterRoom(5);
    EXPECT_EQ(LobbyCallsStartingWith("find"), (Lines{"find KXLobby5 of 900"}));
    EXPECT_TRUE(LobbyCallsStartingWith("copydata").empty()) << "no replay";
    EXPECT_FALSE(Room(5).windowOpen);
    EXPECT_TRUE(DrainOutboundQueue().empty()) << "the room is not entered";

    OpenRoom(5, 700);
    FakeImpostorFor(L"KXTable40", 667);
    lobbyCalls.clear();
    EXPECT_EQ(RelaysOfRequest(40), (Lines{Relay(700, 39, "40:1")})) << "counts as not found";
    EXPECT_TRUE(LobbyCallsStartingWith("send 667").empty());
    EXPECT_TRUE(LobbyCallsStartingWith("copydata 667").empty());
    EXPECT_FALSE(tables[FirstTable(40)].windowOpen);
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

// --- Opening a table ---

TEST_F(Siblings, ATableRequestOpensBoardViewWithCodesThenReplay) {
    FillLobby();
    Deliver("31,5:Again:3:0;");  // a second record with the id: the launch takes the last
    rooms.push_back(rooms[FirstRoom(5)]);
    rooms.back().moneyKind = 3;
    rooms[FirstRoom(5)].moneyKind = 1;
    OpenRoom(5, 700);
    FakeWindowFor(L"KXTable40", 840);
    lobbyCalls.clear();
    OnTableWindowRequested(40);
    const std::string line = "start C:\\Tavlora\\BoardView.exe 1  ,?,73,1,1,1001,5,3,40,";
    const Lines calls = lobbyCalls;
    ASSERT_GE(calls.size(), 13u);
    EXPECT_EQ(calls[0], "pause 100");
    EXPECT_TRUE(calls[1].starts_with(line)) << calls[1];
    EXPECT_TRUE(calls[1].ends_with(std::string(kSavedGamesBase64) + "," + kConfigDatBase64 + ","));
    EXPECT_EQ(Lines(calls.begin() + 2, calls.end()),
              (Lines{"wait 900 5000", "find KXTable40 of 900", "close 900", "send 840 10 1",
                     "send 840 11 " + std::to_string(save), "send 840 12 0", "send 840 13 1",
                     Relay(840, 71, "40:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0"),
                     Relay(840, 21, "7:ann:3:4;1001:me:0:4;"), Relay(840, 51, "60:7:0;61:9:2;"),
                     Relay(840, 72, "90:7;91:1001;"), Relay(700, 39, "40:2")}));
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"111,5:40,!"}));
    EXPECT_TRUE(tables[FirstTable(40)].windowOpen);
}

TEST_F(Siblings, TableRequestsAnswerTheRoomWindow) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    EXPECT_EQ(RelaysOfRequest(40), (Lines{Relay(700, 39, "40:0")})) << "already open";
    EXPECT_TRUE(LobbyCallsStartingWith("start").empty());
    EXPECT_EQ(RelaysOfRequest(41), (Lines{Relay(700, 39, "41:1")})) << "no window appeared";
    EXPECT_TRUE(RelaysOfRequest(77).empty()) << "unknown table";
    EXPECT_TRUE(lobbyCalls.empty());
    EXPECT_TRUE(RelaysOfRequest(std::intptr_t{1} << 40 | 40).empty()) << "no such id";
}

TEST_F(Siblings, EveryTableWithTheRequestedIdAnswers) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    tables.push_back(tables[FirstTable(40)]);  // not expected from a server
    tables.back().windowOpen = false;
    FakeWindowFor(L"KXTable40", 841);
    EXPECT_EQ(RelaysOfRequest(40).back(), Relay(700, 39, "40:2"));
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700 39"),
              (Lines{Relay(700, 39, "40:0"), Relay(700, 39, "40:2")}));
}

// --- Windows that go ---

TEST_F(Siblings, ARoomWindowGoneIsForgottenWithoutTellingTheServer) {
    FillLobby();
    rooms.push_back(rooms[FirstRoom(5)]);
    OpenRoom(5, 700);
    rooms.back().windowOpen = true;
    SelectedRoomId = 5;
    lobbyCalls.clear();
    OnRoomWindowGone(5);
    for (const RoomRecord& room : rooms)
        EXPECT_FALSE(room.windowOpen) << "every room with the id";
    EXPECT_EQ(SelectedRoomId, 0);
    EXPECT_EQ(lobbyCalls, (Lines{"hide enter room", "repaint room list"}));
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

TEST_F(Siblings, ATableWindowGoneTellsItsRoomWindowAndTheServer) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    OnTableWindowGone(40);
    EXPECT_EQ(lobbyCalls, (Lines{"send 700 38 40"}));
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"112,40,!"}));
    EXPECT_FALSE(tables[FirstTable(40)].windowOpen);
    lobbyCalls.clear();
    OnTableWindowGone(40);
    OnTableWindowGone(41);
    EXPECT_TRUE(lobbyCalls.empty()) << "not open";
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

// --- Relay texts from siblings ---

TEST_F(Siblings, OnlyTheFramingOfACopyIsChecked) {
    struct Case {
        const char* note;
        std::uintptr_t code;
        std::string bytes;
        std::size_t size;  // cbData
        Lines queued;
    } cases[] = {
        {"forwarded as it is",
         100,
         std::string("KXMessage,61,7,aGk=,!\0", 23),
         23,
         {"61,7,aGk=,!"}},
        {"no zero: taken whole", 100, "KXMessage,1,0,!", 15, {"1,0,!"}},
        {"ends at the first zero", 100, std::string("KXMessage,ab\0cd", 15), 15, {"ab"}},
        {"cut by cbData", 100, "KXMessage,1,10,0,!", 12, {"1,"}},
        {"nothing after the prefix", 100, "KXMessage,", 10, {}},
        {"prefix and a zero only", 100, std::string("KXMessage,\0x", 12), 12, {}},
        {"no prefix", 100, "KXMessag,1,0,!", 14, {}},
        {"prefix cut by cbData", 100, "KXMessage,1,0,!", 5, {}},
        {"unknown code", 101, "KXMessage,1,0,!", 15, {}},
        {"join answer for no request", 97, "KXMessage,1:2", 13, {}},
        {"wide code", (std::uintptr_t{1} << 32) | 100, "KXMessage,1,0,!", 15, {}},
        {"empty", 100, "", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        CopyData(c.code, c.bytes, c.size);
        EXPECT_EQ(DrainOutboundQueue(), c.queued);
    }
    OnSiblingCopyData(100, nullptr, 40);
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

TEST_F(Siblings, CopiesCountOnlyWhileConnected) {
    isConnected = false;
    CopyData(100, "KXMessage,1,0,!");
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

TEST_F(Siblings, NothingIsReadBeyondCbData) {
    // The bytes after cbData are not the caller's: the sanitizer reports any read of them.
    const std::size_t size = 14;
    char* bytes = new char[size];
    std::memcpy(bytes, "KXMessage,5,1,", size);
    OnSiblingCopyData(100, bytes, size);
    delete[] bytes;
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"5,1,"}));
}

TEST_F(Siblings, AClosedRoomWindowKeepsItsPlaceAndClosesItsTablesAndJoins) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    OpenTable(41, 841);
    joinRequests = {{1, 5, 40, 7, 8, 0, true, 600},
                    {2, 5, 41, 7, 8, 0, false, 0},
                    {3, 5, 41, 7, 8, 0, true, 601},
                    {4, 6, 41, 7, 8, 0, true, 602}};
    CopyData(38, "KXMessage,5,120,-3000");
    EXPECT_EQ(Room(5).windowX, 120);
    EXPECT_EQ(Room(5).windowY, -3000) << "no lower bound";
    EXPECT_FALSE(Room(5).windowOpen);
    EXPECT_EQ(Room(5).window, 0u);
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"38,5,!"}));
    EXPECT_EQ(lobbyCalls, (Lines{"post 840 1 0", "post 841 1 0", "post 601 1 0", "post 600 1 0"}));
    EXPECT_FALSE(tables[FirstTable(40)].windowOpen);
    ASSERT_EQ(joinRequests.size(), 2u) << "open joins of the room go";
    EXPECT_EQ(joinRequests[0].joinId, 2);
    EXPECT_EQ(joinRequests[1].joinId, 4);
}

TEST_F(Siblings, AClosedRoomWindowsPlaceIsKeptOnlyBelow10000) {
    struct Case {
        const char* text;
        int x, y;
        const char* queued;
    } cases[] = {
        {"KXMessage,5,120,3", 120, 3, "38,5,!"},   {"KXMessage,5,10000,3", 11, 12, "38,5,!"},
        {"KXMessage,5,3,10000", 11, 12, "38,5,!"}, {"KXMessage,5,9999,9999", 9999, 9999, "38,5,!"},
        {"KXMessage,5", 0, 0, "38,5,!"},           {"KXMessage, 5x,7,8", 7, 8, "38, 5x,!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ClearLobby();
        Deliver("31,5:Salon:1:0;");
        OpenRoom(5, 700);
        rooms[0].windowX = 11;
        rooms[0].windowY = 12;
        CopyData(38, c.text);
        EXPECT_EQ(Room(5).windowX, c.x);
        EXPECT_EQ(Room(5).windowY, c.y);
        EXPECT_FALSE(Room(5).windowOpen);
        EXPECT_EQ(DrainOutboundQueue(), (Lines{c.queued}));
    }
    // A text cut short by cbData is taken as its bytes say.
    ClearLobby();
    Deliver("31,5:Salon:1:0;");
    OpenRoom(5, 700);
    CopyData(38, "KXMessage,5,120,300", 17);
    EXPECT_EQ(Room(5).windowX, 120);
    EXPECT_EQ(Room(5).windowY, 3);
    CopyData(38, "KXMessage,9,1,1");
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"38,5,!"}))
        << "an unknown room tells the server nothing";
}

// --- Time limits ---

TEST_F(Siblings, AHungWindowIsSkippedForTheRestOfItsBatchOnly) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    fakeHungWindows = {700};
    EXPECT_EQ(RelaysOf("21,7:ann:3:4;8:bob:0:4;"),
              (Lines{Relay(700, 21, "7:ann:3:4;") + " (timeout)", Relay(840, 21, "7:ann:3:4;"),
                     Relay(840, 21, "8:bob:0:4;")}));
    EXPECT_EQ(RelaysOf("17,7,2"),
              (Lines{Relay(700, 17, "7,2") + " (timeout)", Relay(840, 17, "7,2")}))
        << "tried again in the next message";
    fakeHungWindows = {840};
    lobbyCalls.clear();
    OpenTable(41, 841);
    OnTableWindowGone(41);  // its own batch: the room window answers
    EXPECT_EQ(lobbyCalls, (Lines{"send 700 38 41"}));
}

TEST_F(Siblings, AHungNewTableWindowCostsOneLimitInItsLaunch) {
    FillLobby();
    OpenRoom(5, 700);
    FakeWindowFor(L"KXTable40", 840);
    fakeHungWindows = {840};
    OnTableWindowRequested(40);
    EXPECT_EQ(LobbyCallsStartingWith("send 840"), (Lines{"send 840 10 1 (timeout)"}));
    EXPECT_TRUE(LobbyCallsStartingWith("copydata 840").empty());
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700"), (Lines{Relay(700, 39, "40:2")}));
}

// --- Reports handled while the hub waits for a sibling ---

// Every lookup of every list answers as a walk from the front would.
void ExpectIndexesInStep() {
    for (std::size_t i = 0; i < rooms.size(); ++i)
        EXPECT_LE(FirstRoom(rooms[i].id), i);
    for (std::size_t i = 0; i < players.size(); ++i)
        EXPECT_LE(FirstPlayer(players[i].id), i);
    for (std::size_t i = 0; i < roomPresences.size(); ++i)
        EXPECT_EQ(FirstPresence(roomPresences[i].presenceId), i);
    for (std::size_t i = 0; i < tables.size(); ++i)
        EXPECT_LE(FirstTable(tables[i].id()), i);
    for (std::size_t i = 0; i < seats.size(); ++i)
        EXPECT_EQ(FirstSeat(seats[i].seatId), i);
}

TEST_F(Siblings, ListsChangedDuringASendAreNotTrampled) {
    // While a send waits, the hub's thread handles what siblings send it (reports, codes)
    // and, here, even whole server messages that empty the lists being walked.
    struct Case {
        const char* note;
        std::function<void()> trigger;
    } cases[] = {
        {"players", [this] { Deliver("21,7:ann:3:4;8:bob:0:4;9:cy:1:1;"); }},
        {"tables",
         [this] {
             Deliver(
                 "71,40:5:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;"
                 "41:5:2:3:4:1001:0:7:8:9:10:11:12:13:14:15:0:1;");
         }},
        {"leaving", [this] { Deliver("38,2"); }},
        {"table request",
         [] {
             OnTableWindowRequested(40);
             OnTableWindowRequested(41);
         }},
        {"room entered", [this] { EnterRoom(6); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        ClearLobby();
        FillLobby();
        OpenRoom(5, 700);
        OpenTable(40, 840);
        FakeWindowFor(L"KXTable41", 841);
        FakeWindowFor(L"KXLobby6", 706);
        int depth = 0;
        fakeDuringSend = [&] {
            if (depth++ > 0) return;
            CopyData(38, "KXMessage,5,1,1");
            OnTableWindowGone(40);
            OnRoomWindowGone(6);
            OnTableWindowRequested(41);
            Deliver("33,5");
            Deliver("22,1001");
            Deliver("73,41");
        };
        c.trigger();
        fakeDuringSend = nullptr;
        ExpectIndexesInStep();
        EXPECT_EQ(FirstRoom(5), kNotFound);
        EXPECT_EQ(FirstPlayer(1001), kNotFound);
    }
}

// --- The debug window ---

TEST_F(Siblings, DiagnosticsGoToTheDebugWindowWhenThereIsOne) {
    SendToDebugWindow(RELAY_DEBUG_TEXT, L"no window \u00E9");
    EXPECT_EQ(lobbyCalls, (Lines{"find KXDebug"}));
    FakeWindowFor(L"KXDebug", 555);
    lobbyCalls.clear();
    SendToDebugWindow(RELAY_DEBUG_TEXT, L"no window \u00E9");
    EXPECT_EQ(lobbyCalls, (Lines{"find KXDebug", Relay(555, 1, "no window \\xC3\\xA9")}));
}

}  // namespace
