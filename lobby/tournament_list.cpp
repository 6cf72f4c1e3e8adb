// The tournament list's order, selection and entering.
#include "lobby/tournament_list.h"

#include <algorithm>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/relay.h"
#include "lobby/room_list.h"
#include "settings/settings.h"

void RefreshTournamentList() {
    if (tournamentRooms.size() > 1) {
        const int mode = TournamentSortMode;
        std::sort(tournamentRooms.begin(), tournamentRooms.end(),
                  [mode](const RoomRecord& a, const RoomRecord& b) {
                      return CompareRoomsBy(a, b, mode) < 0;
                  });
    }
    LobbyRefreshTournamentList();
}

void ToggleTournamentSort(int column) {
    if (column < 1 || column > 3) return;
    SetTournamentSortMode(ToggledSortMode(TournamentSortMode, column));
    RefreshTournamentList();
}

void ClearTournamentSelection() {
    SetSelectedTournamentId(0);
    LobbyShowEnterTournament(false);
}

void SelectTournamentAt(std::size_t index) {
    if (index >= tournamentRooms.size() || tournamentRooms[index].state == kTournamentClosed) {
        ClearTournamentSelection();
    } else if (tournamentRooms[index].windowOpen) {
        SiblingToFront(tournamentRooms[index].window);
        ClearTournamentSelection();
    } else {
        SetSelectedTournamentId(tournamentRooms[index].id);
        if (SelectedTournamentId > 0) LobbyShowEnterTournament(true);
    }
    LobbyRefreshTournamentList();
}

void EnterTournament() {
    SendToDebugWindow(1, L"ExecEnterTourny() has no function");
}
