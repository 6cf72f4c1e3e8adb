// The counts of the main window's welcome lines, from the lobby lists.
#include "lobby/lobby_counts.h"

#include <algorithm>

#include "lobby/lobby_state.h"

LobbyCounts CurrentLobbyCounts() {
    LobbyCounts counts;
    counts.players = static_cast<int>(players.size());
    counts.playersOnline = static_cast<int>(
        std::count_if(players.begin(), players.end(),
                      [](const PlayerRecord& player) { return player.status > 0; }));
    counts.rooms = static_cast<int>(rooms.size() + tournamentRooms.size());
    counts.tables = static_cast<int>(tables.size() + tournamentTables.size());
    return counts;
}
