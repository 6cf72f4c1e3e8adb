// The lobby lists as the server's messages change them, through dispatch, with what each
// change tells the sibling windows (recorded by the lobby port fake).
#include <gtest/gtest.h>

#include <array>

#include "lobby/room_list.h"
#include "tests/unit/lobby_fixture.h"

namespace {

// "<values 0..16>:<mark>": values 0, 1, 5, 6 and 16 given, the others 100 + position.
std::string TableText(int id, int room, int playerA, int playerB, int value16 = 0, int mark = 0) {
    const auto N = [](int value) { return std::to_string(value) + ":"; };
    return N(id) + N(room) + "102:103:104:" + N(playerA) + N(playerB) +
           "107:108:109:110:111:112:113:114:115:" + N(value16) + std::to_string(mark);
}

std::string RoomIds() {
    return Describe(Rooms(), &RoomRecord::id);
}

class LobbyModel : public LobbyTest {
protected:
    // Players 7 and 8 with relations 60..62, rooms 5 and 6 with presences 1..3, tables
    // 40..42, seats 90..93, joins 1..3 (1 and 2 open on 600 and 601); room 5 open on 700,
    // tables 40 and 41 on 800 and 801.
    void FillLobby() {
        Deliver("21,7:ann:0:4;8:bob:0:4;");
        Deliver("51,60:8:0;61:7:1;62:8:2;");
        Deliver("31,5:Salon:1:0;6:Den:2:0;");
        Deliver("32,1:5:8;2:6:8;3:5:7;");
        Deliver("71," + TableText(40, 5, 8, 7) + ";" + TableText(41, 5, 7, 0) + ";" +
                TableText(42, 6, 3, 8) + ";");
        Deliver("72,90:5:40:8;91:5:41:7;92:5:40:7;93:6:42:7;");
        SetJoinRequests({{1, 5, 40, 8, 7, 0, true, 600},
                         {2, 5, 41, 7, 9, 0, true, 601},
                         {3, 6, 42, 9, 8, 0, false, 0}});
        OpenRoom(5, 700);
        OpenTable(40, 800);
        OpenTable(41, 801);
    }
};

TEST_F(LobbyModel, PlayersAreAddedThenUpdatedInPlaceShortRecordsReadingZero) {
    Deliver("21,7:ann:5:4;8:bob:6:1;");
    Deliver("21,8:Bobby:9:3;9;10:J\xC3\xBCrgen;x:y:z:w;");
    EXPECT_EQ(PlayerList(), "7 ann 5 4|8 Bobby 9 3|9  0 0|10 J\xC3\xBCrgen 0 0|0 y 0 0");
}

TEST_F(LobbyModel, PlayerRecordsAreRelayedAsReceivedAndAChangeRefreshesTheLists) {
    Deliver("31,5:Salon:1:0;");
    Deliver("71," + TableText(40, 5, 0, 0) + ";");
    EXPECT_EQ(CallsOf("21,7:ann:0:4;"), (Lines{"repaint main"})) << "new, no window open";
    EXPECT_EQ(CallsOf("21,7:ann:0:3;"),
              (Lines{"repaint main", "rows 1", "repaint main", "refresh contacts"}));
    EXPECT_EQ(CallsOf("21,1001:Me Myself:0:4;"), (Lines{"own name", "repaint main"}));
    EXPECT_EQ(ownDisplayName, L"Me Myself");
}

// A player gone, its status 0 or leaving a room, a room or a table removed: what goes with
// it (seats and joins walked from the end), whom it tells.
TEST_F(LobbyModel, RemovalsTakeWhatDependsOnThemAndTellTheirWindows) {
    const struct {
        const char* message;
        Lines calls;
        const char* ids;
    } cases[] = {
        {"33,5",
         {"hide enter room", "rows 1", "repaint room list", "repaint main"},
         "players=7|8 contacts=60|61|62 presences=2 rooms=6 1 tables=42 seats=93 joins=3"},
        {"73,40",
         {Relay(700, 73, "40"), "send 600 1 0", "repaint main"},
         "players=7|8 contacts=60|61|62 presences=1|2|3 rooms=6 1|5 2 tables=41|42 seats=91|93 "
         "joins=2|3"},
        {"22,8",
         {"send 600 1 0", "repaint main", "refresh contacts", "rows 2", "repaint room rows 0-1",
          "repaint main", Relay(700, 22, "8"), Relay(801, 22, "8")},
         "players=7 contacts=61|62 presences=3 rooms=6 0|5 1 tables=41 seats=91|92|93 joins=2"},
        {"38,3",  // player 7 leaves room 5
         {Relay(700, 38, "3"), Relay(800, 112, "92"), Relay(801, 112, "91"), "send 601 1 0",
          "send 600 1 0", "rows 2", "repaint room rows 1-1", "repaint main"},
         "players=7|8 contacts=60|61|62 presences=1|2 rooms=6 1|5 1 tables=40|41|42 seats=90|93 "
         "joins=3"},
        {"17,8,0",  // as a player gone, but the player and the tables stay
         {"send 600 1 0", "repaint main", "refresh contacts", "rows 2", "repaint room rows 0-1",
          "repaint main", Relay(700, 17, "8,0"), Relay(800, 17, "8,0"), Relay(801, 17, "8,0")},
         "players=7|8 contacts=60|61|62 presences=3 rooms=6 0|5 1 tables=40|41|42 seats=91|92|93 "
         "joins=2"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        ClearLobby();
        FillLobby();
        SetSelectedRoomId(5);
        EXPECT_EQ(CallsOf(c.message), c.calls);
        EXPECT_EQ(LobbyIds(), c.ids) << "a player gone takes only its first relation";
    }
    EXPECT_EQ(PlayerList(), "7 ann 0 4|8 bob 0 0");
    EXPECT_EQ(CallsOf("22,77"), (Lines{"repaint main", Relay(700, 22, "77"), Relay(800, 22, "77"),
                                       Relay(801, 22, "77")}))
        << "unknown";
    SetJoinRequests({{4, 5, 99, 7, 8, 0, true, 602}});
    EXPECT_EQ(CallsOf("73,99"), (Lines{"send 602 1 0", "repaint main"})) << "unknown table";
}

// A short record relays an empty state; a locked room's selection goes.
TEST_F(LobbyModel, AKnownRoomIsRelayedAsReceivedALockedSelectionCleared) {
    EXPECT_EQ(CallsOf("31,5:Sal\xC3\xB3n:3:2;6:Den:1:0;"),
              (Lines{"rows 2", "repaint room list", "repaint main"}))
        << "a new room is not relayed";
    OpenRoom(5, 700);
    using R = RoomRecord;
    EXPECT_EQ(Describe(Rooms(), &R::id, &R::name, &R::moneyKind, &R::state, &R::users),
              "6 Den 1 0 0|5 Sal\xC3\xB3n 3 2 0");
    EXPECT_EQ(RelaysOf("31,5:Sal\xC3\xB3n;"), (Lines{Relay(700, 31, "Sal\\xC3\\xB3n,")}));
    SetSelectedRoomId(6);
    EXPECT_EQ(CallsOf("31,6:Den:1:3;").front(), "rows 2") << "not locked";
    EXPECT_EQ(SelectedRoomId, 6);
    EXPECT_EQ(CallsOf("31,6:Den:1:2;").front(), "hide enter room");
    EXPECT_EQ(SelectedRoomId, 0);
}

// Remembered rooms are sorted before the first list, even when only users change; only
// the first list of a connection drops rooms it does not name.
TEST_F(LobbyModel, TheFirstListOfAConnectionDropsRoomsItDoesNotName) {
    AddRoom({.id = 9, .name = L"b", .windowX = 50, .windowY = 60});
    AddRoom({.id = 3, .name = L"a", .windowX = 10, .windowY = 20});
    Deliver("32,11:3:7;");
    EXPECT_EQ(RoomIds(), "3|9");
    Deliver("31,9:Nine:1:0;5:Five:2:0;");
    EXPECT_FALSE(FirstRoomListPending);
    Deliver("31,7:Seven:1:0;");
    EXPECT_EQ(RoomIds(), "5|9|7");
}

// An update keeps all but five values and relays the stored open flag.
TEST_F(LobbyModel, ATableUpdateKeepsAllButFiveValues) {
    Deliver("31,5:Salon:1:0;");
    Deliver("71,40:5:2:3:4:7:8:9:10:11:12:13:14:15:16:17:0:0;");
    OpenRoom(5, 700);
    OpenTable(40, 800);
    const std::string relayed = "40:52:53:54:57:58:59:60:61:62:63:64:65:66:67:68:1;";
    EXPECT_EQ(RelaysOf("71,40:6:52:53:54:57:58:59:60:61:62:63:64:65:66:67:68:0;"),
              (Lines{Relay(700, 71, relayed), Relay(800, 71, relayed)}))
        << "received values and the stored open flag, to the room the table is in";
    const std::array<std::int32_t, 17> kept = {40, 5,  52, 3,  4,  7,  58, 9, 10,
                                               11, 12, 13, 14, 15, 66, 67, 68};
    EXPECT_EQ(Tables()[0].values, kept);
}

TEST_F(LobbyModel, TheOpeningMarkOpensTheOwnTableOnly) {
    const struct {
        int playerA, playerB, value16, mark;
        bool found;
        const char* answer;  // to the room window; empty: none
    } cases[] = {{1001, 8, 0, 1, true, "40:2"},  {8, 1001, 0, 1, true, "40:2"},
                 {1001, 8, 0, 1, false, "40:1"}, {1001, 8, 0, 0, true, ""},
                 {1001, 8, 0, 2, true, ""},      {1001, 8, 1, 1, true, ""},
                 {7, 8, 0, 1, true, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.playerA << " " << c.playerB << " " << c.value16 << " "
                                        << c.mark << " " << c.found);
        ClearLobby();
        ResetLobbyPortFake();
        Deliver("31,5:Salon:1:0;");
        OpenRoom(5, 700);
        if (c.found) FakeWindowFor(L"KXTable40", 800);
        Lines relays =
            RelaysOf("71," + TableText(40, 5, c.playerA, c.playerB, c.value16, c.mark) + ";");
        const bool opens = c.answer == std::string("40:2");
        EXPECT_EQ(Tables()[0].windowOpen, opens);
        EXPECT_EQ(LobbyCallsStartingWith("start C:\\Tavlora\\BoardView.exe").empty(), !*c.answer);
        EXPECT_EQ(relays.back(), *c.answer ? Relay(700, 39, c.answer) : relays[0]);
    }
}

// A known presence or seat id is skipped; a record of an unknown room or a closed window
// tells nobody.
TEST_F(LobbyModel, RecordsReachTheirWindowsInTheirOwnFormats) {
    FillLobby();
    // Contact relations go to every open window and refresh the contacts window.
    const auto ToEveryWindow = [](int code, const std::string& payload) {
        return Lines{Relay(700, code, payload), Relay(800, code, payload),
                     Relay(801, code, payload), "refresh contacts"};
    };
    const struct {
        const char* message;
        Lines calls;
    } steps[] = {{"32,4:5:9;1:5:9;5:5:7;6:66:7;",
                  {Relay(700, 32, "4:9;"), Relay(700, 32, "5:7;"), "rows 2",
                   "repaint room rows 1-1", "repaint main"}},
                 {"38,6", {"rows 2", "repaint main"}},
                 {"72,94:5:40:7;90:5:40:9;95:5:40:8;",
                  {Relay(700, 72, "94:40:7;"), Relay(800, 72, "94:7;"), Relay(700, 72, "95:40:8;"),
                   Relay(800, 72, "95:8;")}},
                 {"112,94", {Relay(700, 112, "94"), Relay(800, 112, "94")}},
                 {"112,94", {}},
                 {"72,96:0:40:0;", {Relay(800, 72, "96:0;")}},
                 {"38,77",  // an unknown presence leaving is room and player 0
                  {Relay(800, 112, "96"), "rows 2", "repaint main"}},
                 {"34,5,77,hello:there;x", {Relay(700, 77, "hello:there;x")}},
                 {"34,6,77,hello", {}},
                 {"34,9,77,hello", {}},
                 {"114,40,12,move 3", {Relay(800, 12, "move 3")}},
                 {"114,40,12", {Relay(800, 12, "")}},
                 {"51,63:7:0;64:8:1;", ToEveryWindow(51, "63:7:0;64:8:1;")},
                 {"51,64:9:2;65:9:0;", ToEveryWindow(51, "64:9:2;65:9:0;")},
                 {"53,60,2", ToEveryWindow(53, "60,2")},
                 {"53,99,1", ToEveryWindow(53, "99,1")},
                 {"54,61", ToEveryWindow(54, "61")},
                 {"54,99", ToEveryWindow(54, "99")}};
    for (const auto& step : steps)
        EXPECT_EQ(CallsOf(step.message), step.calls) << step.message;
    using C = ContactRecord;
    EXPECT_EQ(Describe(ContactRelations(), &C::contactId, &C::playerId, &C::relation),
              "60 8 2|62 8 2|63 7 0|64 8 2|65 9 0")
        << "a listed entry takes only the relation";
    EXPECT_EQ(LobbyIds(),
              "players=7|8 contacts=60|62|63|64|65 presences=1|2|3|4|5 rooms=6 1|5 4 "
              "tables=40|41|42 seats=90|91|92|93|95 joins=1|2|3");
}

TEST_F(LobbyModel, RoomNamesCompareWithOnlyAToZLowered) {
    const struct {
        const wchar_t *a, *b;
        int order;
    } cases[] = {{L"Zebra", L"\u00C4rger", -1},
                 {L"\u00C4rger", L"\u00E4rger", -1},
                 {L"abc", L"ABC", 0},
                 {L"ab", L"abc", -1},
                 {L"b", L"A", 1},
                 {L"[", L"a", -1}};
    for (const auto& c : cases) {
        const int forward = CompareRoomNames(c.a, c.b), backward = CompareRoomNames(c.b, c.a);
        EXPECT_EQ((forward > 0) - (forward < 0), c.order) << testing::PrintToString(c.a);
        EXPECT_EQ((backward > 0) - (backward < 0), -c.order) << testing::PrintToString(c.a);
    }
}

TEST_F(LobbyModel, EachSortModeOrdersTheRoomsTiesByNameAndFollowsChanges) {
    // id:name:kind; users from presences: 1 two, 2 none, 3 two, 4 one, 5 two.
    Deliver("31,1:bravo:2:0;2:Alpha:3:0;3:\xC3\x84rger:1:0;4:Zebra:2:0;5:delta:1:0;");
    Deliver("32,11:1:7;12:1:8;13:3:7;14:3:8;15:4:7;16:5:7;17:5:8;");
    const char* orders[] = {"2|1|5|4|3", "3|4|5|1|2", "5|3|1|4|2",
                            "2|1|4|5|3", "1|5|3|4|2", "2|4|1|5|3"};
    for (int mode = 0; mode < 6; ++mode) {
        SetSetting(kRoomSortModeKey, mode);
        RefreshRoomList();
        EXPECT_EQ(RoomIds(), orders[mode]) << mode;
        EXPECT_TRUE(LobbyIndexesExact()) << "the index follows the sort";
    }
    ClearLobby();
    Deliver("31,1:delta:1:0;2:alpha:1:0;");
    Deliver("31,3:charlie:1:0;4:bravo:1:0;5:Echo:1:0;");
    Deliver("31,2:foxtrot:1:0;");  // renamed: moves to the end
    EXPECT_EQ(RoomIds(), "4|3|1|5|2");
    SetSetting(kRoomSortModeKey, 4);
    EXPECT_EQ(CallsOf("32,11:2:7;")[1], "repaint room list") << "the rows moved";
    EXPECT_EQ(RoomIds()[0], '2') << "user counts reorder the users modes";
    Deliver("38,11");
    EXPECT_EQ(RoomIds()[0], '4');
    SetSetting(kRoomSortModeKey, 5);
    Deliver("32,12:1:7;");
    EXPECT_EQ(RoomIds().back(), '1');
}

// Beyond what clicks usually meet: a head's second mode, columns that are none; a room or
// tournament already open, a room of id 0 (config.ini can leave one), rows past the end, a
// closed tournament (state 4, where a locked room's is 2).
TEST_F(LobbyModel, ClicksOnHeadsAndRowsAtTheirBounds) {
    for (auto [column, before, after] :
         {std::array{2, 2, 3}, {3, 4, 5}, {3, 1, 4}, {0, 3, 3}, {4, 3, 3}}) {
        SetSetting(kRoomSortModeKey, before);
        ToggleRoomSort(column);
        EXPECT_EQ(RoomSortMode, after) << column << " from " << before;
    }
    Deliver("31,1:a:1:0;3:c:1:0;");
    AddRoom(RoomRecord{});
    OpenRoom(3, 703);
    for (const RoomRecord& room :
         {RoomRecord{.id = 1, .name = {}, .state = 2}, RoomRecord{.id = 2, .name = {}, .state = 4},
          RoomRecord{.id = 3, .name = {}, .windowOpen = true, .window = 42}})
        AddTournamentRoom(room);
    const struct {
        void (*select)(std::size_t);
        std::size_t index;
        std::pair<int, int> selected;  // room, tournament
        Lines calls;
    } cases[] = {{SelectRoomAt, 1, {0, 4}, {"front 703", "hide enter room", "repaint room list"}},
                 {SelectRoomAt, 2, {0, 4}, {"repaint room list"}},
                 {SelectRoomAt, 3, {0, 4}, {"hide enter room", "repaint room list"}},
                 {SelectTournamentAt, 0, {4, 1}, {"show enter tournament", "refresh tournaments"}},
                 {SelectTournamentAt, 1, {4, 0}, {"hide enter tournament", "refresh tournaments"}},
                 {SelectTournamentAt,
                  2,
                  {4, 0},
                  {"front 42", "hide enter tournament", "refresh tournaments"}},
                 {SelectTournamentAt, 3, {4, 0}, {"hide enter tournament", "refresh tournaments"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.select == SelectRoomAt) << " " << c.index);
        SetSelectedRoomId(4);
        SetSelectedTournamentId(4);
        lobbyCalls.clear();
        c.select(c.index);
        EXPECT_EQ((std::pair{SelectedRoomId, SelectedTournamentId}), c.selected);
        EXPECT_EQ(lobbyCalls, c.calls);
    }
    // A click's whole repaint has painted its rows: the next update paints only its own.
    SelectRoomAt(0);
    EXPECT_EQ(CallsOf("31,3:c:1:3;"),
              (Lines{Relay(703, 31, "c,3"), "rows 2", "repaint room rows 1-1", "repaint main"}));
}

}  // namespace
