// The tournament list: the room list's twin. Nothing from the server fills it; it holds
// the tournament rooms config.ini remembers, sorted and selected as rooms are, and
// entering a tournament only tells the debug window that it has no function.
#pragma once

#include <cstddef>

// Sorted by TournamentSortMode (when there is more than one), then the view shows it.
void RefreshTournamentList();
// A column head of the tournament list, as ToggleRoomSort for rooms.
void ToggleTournamentSort(int column);
// A click on the tournament at `index`: past the end or state 4 clears the selection; an
// open window comes to the front and the selection clears; otherwise it is selected and,
// for a positive id, the enter button shows.
void SelectTournamentAt(std::size_t index);
void ClearTournamentSelection();
// The enter button and a double-click in the list: the diagnostic text to KXDebug.
void EnterTournament();
