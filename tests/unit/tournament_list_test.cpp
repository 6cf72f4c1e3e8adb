// The tournament list: sorted and selected as rooms are, with state 4 closed; entering a
// tournament only tells the debug window.
#include "lobby/tournament_list.h"
#include "tests/unit/lobby_fixture.h"

namespace {

using Tournaments = LobbyTest;

std::vector<std::int32_t> Order() {
    std::vector<std::int32_t> ids;
    for (const RoomRecord& room : tournamentRooms)
        ids.push_back(room.id);
    return ids;
}

void Add(std::int32_t id, const wchar_t* name, int state, int users) {
    RoomRecord record;
    record.id = id;
    record.name = name;
    record.state = state;
    record.users = users;
    tournamentRooms.push_back(record);
}

TEST_F(Tournaments, HeadsSortByTheirOwnModeWhateverTheRoomsDo) {
    Add(1, L"beta", 0, 5);
    Add(2, L"Alpha", 0, 1);
    Add(3, L"gamma", 0, 9);
    RoomSortMode = 3;
    TournamentSortMode = 0;
    ToggleTournamentSort(1);  // 0 -> 1: names Z to A
    EXPECT_EQ(TournamentSortMode, 1);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{3, 1, 2}));
    ToggleTournamentSort(1);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{2, 1, 3}));
    ToggleTournamentSort(3);
    EXPECT_EQ(Order(), (std::vector<std::int32_t>{3, 1, 2})) << "most players first";
    EXPECT_EQ(RoomSortMode, 3) << "the room list keeps its own order";
}

TEST_F(Tournaments, StateFourNotTwoBlocksTheSelectionEnteringOnlyTellsTheDebugWindow) {
    Add(1, L"open", 2, 0);
    Add(2, L"closed", 4, 0);
    for (auto [at, selected] : {std::pair{0u, 1}, {1u, 0}, {0u, 1}, {7u, 0}}) {
        SelectTournamentAt(at);
        EXPECT_EQ(SelectedTournamentId, selected) << at;
    }
    tournamentRooms[0].windowOpen = true;
    tournamentRooms[0].window = 42;
    ResetLobbyPortFake();
    SelectTournamentAt(0);
    EXPECT_EQ(SelectedTournamentId, 0);
    EXPECT_EQ(lobbyCalls.front(), "front 42");
    lobbyCalls.clear();
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
