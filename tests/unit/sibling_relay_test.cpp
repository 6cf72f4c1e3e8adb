// Room and table launches with their initial replays, the sibling windows' reports, the
// time limits of synchronous sends and the places kept, as the lobby port fake records them.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "lobby/child_command_line.h"
#include "lobby/relay.h"
#include "lobby/room_windows.h"
#include "lobby/sibling_launch.h"
#include "lobby/sibling_reports.h"
#include "net/notification_codes.h"
#include "net/relay_codes.h"
#include "net/text_convert.h"
#include "tests/unit/lobby_fixture.h"

namespace {

constexpr char kTables[] =
    "40:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;41:2:3:4:0:0:7:8:9:10:11:12:13:14:15:0:0;";

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
        SetSelectedRoomId(id);
        OpenRoomWindow();
    }
    // Code 31 from a room window, with only the relay messages it causes.
    Lines RelaysOfRequest(std::intptr_t tableId) {
        lobbyCalls.clear();
        OnTableWindowRequested(tableId);
        return LobbyCallsStartingWith("copydata");
    }
};

// Any program can make a window of a sibling's class before the sibling starts: only the
// started program's own window hears the replay (open tables marked), and the server is
// told after it.
TEST_F(Siblings, TheReplayGoesToTheStartedWindowOnlyBeforeTheServerIsTold) {
    FillLobby();
    OpenTable(41, 841);
    FakeWindowFor(L"KXLobby5", 701);
    FakeImpostorFor(L"KXLobby5", 666);
    std::vector<std::size_t> queuedDuringReplay;
    fakeDuringSend = [&] { queuedDuringReplay.push_back(OutboundCount()); };
    EnterRoom(5);
    EXPECT_EQ(queuedDuringReplay, std::vector<std::size_t>(5, 0)) << "queued after the replay";
    std::string tables = kTables;
    tables[tables.size() - 2] = '1';  // table 41's window is open
    EXPECT_EQ(LobbyCallsStartingWith("copydata 701 71"), (Lines{Relay(701, 71, tables)}));
    EXPECT_EQ(LobbyCallsStartingWith("copydata 701 72"),
              (Lines{Relay(701, 72, "90:40:7;91:40:1001;")}));
    EXPECT_EQ(LobbyCallsStartingWith("copydata").size(), 5u) << "none to another's window";
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"32,5,!"}));
    EXPECT_EQ(Room(5).window, 701u);
}

TEST_F(Siblings, RoomsThatCannotBeEnteredOrWindowsThatDoNotAppearTellNothing) {
    FillLobby();
    Deliver("31,8:Locked:1:2;");
    OpenRoom(6, 706);
    for (std::int32_t id : {0, -5, 99, 6, 8}) {
        lobbyCalls.clear();
        EnterRoom(id);
        EXPECT_EQ(lobbyCalls, (Lines{"hide enter room", "repaint room list"})) << id;
        EXPECT_EQ(SelectedRoomId, 0);
    }
    fakeNextProcess = 0;  // the start failed
    lobbyCalls.clear();
    EnterRoom(5);
    EXPECT_EQ(LobbyCallsStartingWith("find"), (Lines{"find KXLobby5 of 0"}));
    fakeNextProcess = 900;
    FakeImpostorFor(L"KXLobby5", 666);
    EnterRoom(5);
    EXPECT_TRUE(LobbyCallsStartingWith("copydata").empty()) << "no replay";
    EXPECT_FALSE(Room(5).windowOpen);
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

// Each program's command line at the limit, one unit below and one above (grown by the
// folder): a line that fits starts unchanged; one over loses the last character of its room
// name, chat text or join name whole, or, with nothing to cut, starts nothing.
TEST_F(Siblings, EveryLaunchLineKeepsWithinTheLimit) {
    FillLobby();
    FakeWindowFor(L"KXDebug", 800);
    Deliver("31,5:Sal\xF0\x9F\x8E\xB2:2:0;");
    Deliver("21,2:Jos\xC3\xA9:0:4;");
    const struct {
        std::string program;
        std::wstring last;  // the cut text's last character as the line holds it; "": no cut
        std::function<void()> launch;
    } cases[] = {{"RoomView.exe", L"\xD83C\xDFB2", [&] { EnterRoom(5); }},
                 {"ChatView.exe", L"\xF0\x9F\x8E\xB2", [&] { Deliver("61,7,\xF0\x9F\x8E\xB2,"); }},
                 {"ChatView.exe", L"", [&] { Deliver("61,7,,"); }},  // no text; names stay whole
                 {"JoinView.exe", L"\xC3\xA9",
                  [&] {
                      OpenJoinWindow("8:5:40:2:1001:0");
                      OpenJoinWindow("8:5:40:2:1001:1");  // forgets it again
                  }},
                 {"BoardView.exe", L"", [&] { OpenTableWindow(0); }}};
    for (const auto& c : cases) {
        const std::string over =
            c.program + " not started: command line of 32767 characters is over the limit";
        SCOPED_TRACE(over);
        const auto start = [&](std::size_t folder) {  // the parameters started; none: ""
            SetProgramFolder(std::wstring(folder, L'f'));
            fakeStartParameters.clear();
            lobbyCalls.clear();
            c.launch();
            return fakeStartParameters.empty() ? std::wstring() : fakeStartParameters[0];
        };
        std::wstring line = start(0);
        const std::size_t atLimit = kCommandLineLimit - 4 - c.program.size() - line.size();
        EXPECT_EQ(start(atLimit - 1), line);
        EXPECT_EQ(start(atLimit), line);
        line = c.last.empty() ? L"" : line.erase(line.rfind(c.last), c.last.size());
        EXPECT_EQ(start(atLimit + 1), line);
        EXPECT_EQ(LobbyCallsStartingWith("copydata 800 1 KXMessage," + c.program),
                  c.last.empty() ? Lines{Relay(800, 1, over)} : Lines{});
    }
}

// An unknown or impossible id, another program's window of the class, a table listed twice.
TEST_F(Siblings, TableRequestsForIdsAndWindowsThatAreNotTheirs) {
    FillLobby();
    OpenRoom(5, 700);
    EXPECT_TRUE(RelaysOfRequest(77).empty()) << "unknown table";
    EXPECT_TRUE(lobbyCalls.empty());
    EXPECT_TRUE(RelaysOfRequest(std::intptr_t{1} << 40 | 40).empty()) << "no such id";
    FakeImpostorFor(L"KXTable41", 667);
    EXPECT_EQ(RelaysOfRequest(41), (Lines{Relay(700, 39, "41:1")})) << "another's window";
    EXPECT_TRUE(LobbyCallsStartingWith("send 667").empty());
    OpenTable(40, 840);
    TableRecord twin = Tables()[FirstTable(40)];  // not expected from a server
    twin.windowOpen = false;
    AddTable(twin);
    FakeWindowFor(L"KXTable40", 841);
    EXPECT_EQ(RelaysOfRequest(40).front(), Relay(700, 39, "40:0"));
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700 39").back(), Relay(700, 39, "40:2"));
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"111,5:40,!"}));
}

// A window gone twice or never open tells nobody; a room window gone closes every room
// with its id.
TEST_F(Siblings, WindowsThatGoAreForgottenOnceEveryRecordWithTheirId) {
    FillLobby();
    AddRoom(Rooms()[FirstRoom(5)]);
    OpenRoom(5, 700);
    OpenTable(40, 840);
    for (std::int32_t table : {40, 40, 41})
        OnTableWindowGone(table);
    SetRoomWindowAt(Rooms().size() - 1, 701);
    SetSelectedRoomId(5);
    OnRoomWindowGone(5);
    for (const RoomRecord& room : Rooms())
        EXPECT_FALSE(room.windowOpen);
    EXPECT_EQ(SelectedRoomId, 0);
    EXPECT_EQ(lobbyCalls, (Lines{"send 700 38 40", "hide enter room", "repaint room list"}));
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"112,40,!"}));
}

// A room window asking for its table over and over is answered ten times a second, and
// KXDebug told once; the table window's own end counts apart.
TEST_F(Siblings, ASiblingWindowsReportsAreActedOnTenTimesASecond) {
    FillLobby();
    OpenRoom(5, 700);
    OpenTable(40, 840);
    FakeWindowFor(L"KXDebug", 999);
    for (int k = 0; k < 14; ++k)  // twelve requests, the table window's end, one more later
        OnSiblingReport(k == 12 ? NC_TABLE_CLOSED : NC_OPEN_TABLE, 40, k < 13 ? 1000 : 2000);
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700").size(), 11u);
    EXPECT_EQ(LobbyCallsStartingWith("copydata 999").size(), 1u);
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"112,40,!"}));
}

TEST_F(Siblings, OnlyTheFramingOfACopyIsChecked) {
    const struct {
        std::uintptr_t code;
        std::string bytes;
        std::size_t size;  // cbData
        Lines queued;
    } cases[] = {
        {100, std::string("KXMessage,61,7,aGk=,!\0", 23), 23, {"61,7,aGk=,!"}},
        {100, "KXMessage,1,0,!", 15, {"1,0,!"}},  // no zero: taken whole
        {100, std::string("KXMessage,ab\0cd", 15), 15, {"ab"}},
        {100, "KXMessage,1,10,0,!", 12, {"1,"}},
        {100, "KXMessage,", 10, {}},
        {100, std::string("KXMessage,\0x", 12), 12, {}},
        {100, "KXMessag,1,0,!", 14, {}},
        {97, "KXMessage,1:2", 13, {}},  // a join answer for no request
        {100, "", 0, {}},
    };
    for (const auto& c : cases) {
        CopyData(c.code, c.bytes, c.size);
        EXPECT_EQ(DrainOutboundQueue(), c.queued) << ShowBytes(c.bytes) << " " << c.size;
    }
    OnSiblingCopyData(100, nullptr, 40);
    DropConnection();
    CopyData(100, "KXMessage,1,0,!");
    EXPECT_TRUE(DrainOutboundQueue().empty());
    MarkConnected();
    // The bytes after cbData are not the caller's: the sanitizer reports any read of them.
    char* bytes = new char[14];
    std::memcpy(bytes, "KXMessage,5,1,", 14);
    OnSiblingCopyData(100, bytes, 14);
    delete[] bytes;
    EXPECT_EQ(DrainOutboundQueue(), (Lines{"5,1,"}));
}

// Its place is kept only below 10000, with no lower bound; its open tables and joins close.
TEST_F(Siblings, AClosedRoomWindowKeepsItsPlaceAndClosesItsTablesAndJoins) {
    const struct {
        std::string text;
        std::size_t size;  // cbData
        int x, y;
        const char* queued;
    } cases[] = {
        {"KXMessage,5,9999,-3000", 23, 9999, -3000, "38,5,!"},
        {"KXMessage,5,10000,3", 20, 11, 12, "38,5,!"},
        {"KXMessage,5,3,10000", 20, 11, 12, "38,5,!"},
        {"KXMessage,5", 12, 0, 0, "38,5,!"},
        {"KXMessage, 5x,7,8", 18, 7, 8, "38, 5x,!"},
        {"KXMessage,5,1,2,3,4", 20, 1, 2, "38,5,!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ClearLobby();
        FillLobby();
        OpenRoom(5, 700);
        OpenTable(40, 840);
        OpenTable(41, 841);
        SetRoomPlaceAt(FirstRoom(5), 11, 12);
        SetJoinRequests({{1, 5, 40, 7, 8, 0, true, 600},
                         {2, 5, 41, 7, 8, 0, false, 0},
                         {3, 5, 41, 7, 8, 0, true, 601},
                         {4, 6, 41, 7, 8, 0, true, 602}});
        CopyData(38, c.text, c.size);
        EXPECT_EQ((std::vector{Room(5).windowX, Room(5).windowY, int{Room(5).windowOpen},
                               static_cast<int>(Room(5).window),
                               int{Tables()[FirstTable(40)].windowOpen}}),
                  (std::vector{c.x, c.y, 0, 0, 0}));
        EXPECT_EQ(DrainOutboundQueue(), (Lines{c.queued}));
        EXPECT_EQ(lobbyCalls,
                  (Lines{"post 840 1 0", "post 841 1 0", "post 601 1 0", "post 600 1 0"}));
        EXPECT_EQ(JoinList(), "2 0 0|4 1 602") << "open joins of the room go";
    }
    CopyData(38, "KXMessage,9,1,1");
    EXPECT_TRUE(DrainOutboundQueue().empty()) << "an unknown room tells the server nothing";
}

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
    FakeWindowFor(L"KXTable40", 840);
    SetTableWindowAt(FirstTable(40), 0);
    lobbyCalls.clear();
    OnTableWindowRequested(40);
    EXPECT_EQ(LobbyCallsStartingWith("send 840"), (Lines{"send 840 10 1 (timeout)"}))
        << "a hung new table window costs one limit in its launch";
    EXPECT_TRUE(LobbyCallsStartingWith("copydata 840").empty());
    EXPECT_EQ(LobbyCallsStartingWith("copydata 700"), (Lines{Relay(700, 39, "40:2")}));
}

TEST_F(Siblings, ListsChangedDuringASendAreNotTrampled) {
    // While a send waits, the hub's thread handles what siblings send it (reports, codes)
    // and, here, even whole server messages that empty the lists being walked.
    const std::function<void()> triggers[] = {
        [this] { Deliver("21,7:ann:3:4;8:bob:0:4;9:cy:1:1;"); },
        [this] { Deliver(std::string("71,") + "41:5:2:3:4:1001:0:7:8:9:10:11:12:13:14:15:0:1;"); },
        [this] { Deliver("38,2"); },
        [] {
            OnTableWindowRequested(40);
            OnTableWindowRequested(41);
        },
        [this] { EnterRoom(6); },
    };
    for (const auto& trigger : triggers) {
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
        trigger();
        fakeDuringSend = nullptr;
        EXPECT_TRUE(LobbyIndexesExact());
        EXPECT_EQ(FirstRoom(5), kNotFound);
        EXPECT_EQ(FirstPlayer(1001), kNotFound);
    }
}

// When the connection ends, only open windows with a place within the bounds are
// remembered; the others keep 1, 2.
TEST_F(Siblings, RoomWindowPlacesWithinTheBoundsAreRemembered) {
    const std::pair<int, int> places[] = {{-639, -479}, {9999, 9999}, {-640, 10}, {10, -480},
                                          {10000, 0},   {0, 10000},   {300, 200}};
    for (int id = 1; id <= 8; ++id) {
        AddRoom({.id = id,
                 .name = {},
                 .windowX = 1,
                 .windowY = 2,
                 .windowOpen = id != 7,
                 .window = static_cast<WindowRef>(70 + id)});
        if (id <= 7) fakeWindowPlaces[70 + id] = places[id - 1];  // 8 vanished
    }
    AddTournamentRoom(
        {.id = 9, .name = {}, .windowX = 1, .windowY = 2, .windowOpen = true, .window = 77});
    RememberOpenRoomPlaces();
    using R = RoomRecord;
    EXPECT_EQ(Describe(Rooms(), &R::windowX, &R::windowY) + "|" +
                  Describe(TournamentRooms(), &R::windowX, &R::windowY),
              "-639 -479|9999 9999|1 2|1 2|1 2|1 2|1 2|1 2|300 200");
}

}  // namespace
