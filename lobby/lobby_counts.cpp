// The counts of the main window's welcome lines, from the lobby lists.
#include "lobby/lobby_counts.h"

#include <algorithm>

#include "lobby/lobby_state.h"

LobbyCounts CurrentLobbyCounts() {
    LobbyCounts counts;
    const std::vector<PlayerRecord>& players = Players();
    counts.players = static_cast<int>(players.size());
    counts.playersOnline = static_cast<int>(
        std::count_if(players.begin(), players.end(),
                      [](const PlayerRecord& player) { return player.status > 0; }));
    counts.rooms = static_cast<int>(Rooms().size() + TournamentRooms().size());
    counts.tables = static_cast<int>(Tables().size() + TournamentTables().size());
    return counts;
}
