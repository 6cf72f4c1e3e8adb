// The tournament list: sorted and selected as rooms are, with state 4 closed; entering a
// tournament only tells the debug window.
#include "lobby/tournament_list.h"
#include "tests/unit/lobby_fixture.h"

namespace {

class Tournaments : public LobbyTest {
protected:
    void Add(std::int32_t id, const wchar_t* name, int kind, int state, int users) {
        RoomRecord record;
        record.id = id;
        record.name = name;
        record.moneyKind = kind;
        record.state = state;
        record.users = users;
        tournamentRooms.push_back(record);
    }
    std::vector<std::int32_t> Order() {
        std::vector<std::int32_t> ids;
        for (const RoomRecord& room : tournamentRooms)
            ids.push_back(room.id);
        return ids;
    }
};

TEST_F(Tournaments, HeadsSortByTheirOwnModeWhateverTheRoomsDo) {
    Add(1, L"beta", 2, 0, 5);
    Add(2, L"Alpha", 1, 0, 1);
    Add(3, L"gamma", 3, 0, 9);
    RoomSortMode = 3;
    TournamentSortMode = 0;
    ToggleTournamentSort(1);  // 0 -> 1: names Z to A
    EXPECT_EQ(TournamentSortMode, 1);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{3, 1, 2}));
    ToggleTournamentSort(1);
    EXPECT_EQ(TournamentSortMode, 0);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{2, 1, 3}));
    ToggleTournamentSort(3);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{3, 1, 2})) << "most players first";
    EXPECT_EQ(RoomSortMode, 3) << "the room list keeps its own order";
}

TEST_F(Tournaments, StateFourNotTwoBlocksTheSelection) {
    Add(1, L"open", 1, 2, 0);
    Add(2, L"closed", 1, 4, 0);
    SelectTournamentAt(0);
    EXPECT_EQ(SelectedTournamentId, 1);
    SelectTournamentAt(1);
    EXPECT_EQ(SelectedTournamentId, 0);
    SelectTournamentAt(0);
    SelectTournamentAt(7);
    EXPECT_EQ(SelectedTournamentId, 0) << "past the end";
    tournamentRooms[0].windowOpen = true;
    tournamentRooms[0].window = 42;
    ResetLobbyPortFake();
    SelectTournamentAt(0);
    EXPECT_EQ(SelectedTournamentId, 0);
    EXPECT_EQ(lobbyCalls.front(), "front 42");
}

TEST_F(Tournaments, EnteringOnlyTellsTheDebugWindow) {
    EnterTournament();
    EXPECT_EQ(lobbyCalls, (Lines{"find KXDebug"})) << "no debug window, nothing else";
    FakeWindowFor(L"KXDebug", 555);
    lobbyCalls.clear();
    EnterTournament();
    EXPECT_EQ(lobbyCalls,
              (Lines{"find KXDebug", Relay(555, 1, "ExecEnterTourny() has no function")}));
    EXPECT_TRUE(DrainOutboundQueue().empty());
}

}  // namespace
