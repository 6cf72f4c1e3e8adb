// The tournament list: selected as rooms are, with state 4 closed.
#include "lobby/tournament_list.h"
#include "tests/unit/lobby_fixture.h"

namespace {

using Tournaments = LobbyTest;

TEST_F(Tournaments, StateFourNotTwoBlocksTheSelection) {
    tournamentRooms = {{.id = 1, .name = {}, .state = 2}, {.id = 2, .name = {}, .state = 4}};
    for (auto [at, selected] : {std::pair{0u, 1}, {1u, 0}, {0u, 1}, {7u, 0}}) {
        SelectTournamentAt(at);
        EXPECT_EQ(SelectedTournamentId, selected) << at;
    }
    tournamentRooms[0].windowOpen = true;
    tournamentRooms[0].window = 42;
    lobbyCalls.clear();
    SelectTournamentAt(0);
    EXPECT_EQ(SelectedTournamentId, 0);
    EXPECT_EQ(lobbyCalls.front(), "front 42");
}

}  // namespace
