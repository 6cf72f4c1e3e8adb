// The room list (and the tournament list, below) as the list views show them: its order
// (RoomSortMode), the selected room and the "Enter room" button that goes with a selection.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "lobby/records.h"

// Room names compare without regard to the case of A to Z (no other letter is lowered),
// then by UTF-16 code unit; a name that begins the other comes first. <0, 0 or >0.
int CompareRoomNames(const std::wstring& a, const std::wstring& b);

// The sort mode after a click on column head 1 (name), 2 (money kind) or 3 (users):
// the head's first order, or its second when its first is in force.
int ToggledSortMode(int mode, int column);
// How many entries of a room or tournament list take a row of its view: the listed ones.
int ListedCount(const std::vector<RoomRecord>& list);

// Sorts the room list by `mode` (0 name ascending, 1 name descending, 2 / 3 money kind
// ascending / descending, 4 / 5 users descending / ascending; ties in 2 to 5 by name
// ascending). Not stable: rooms whose names differ only in case have no set order.
void SortRooms(int mode);

// After every change of the rooms or their user counts: sorted by RoomSortMode (when
// there is more than one), the view's scroll range set to the count, list and main window
// repainted.
void RefreshRoomList();
// The same after a change of user counts (or of players) only: the list is sorted again
// only when its order depends on the counts (modes 4 and 5), or while no room list has
// arrived on this connection (the remembered rooms may not be in order yet).
void RefreshRoomUsers();
// Repaints the whole room list, which also paints every row change noted so far (a
// selection, a window opened or gone): they are not painted again at the next update.
void RepaintRoomList();

// A column head of the room list: 1 name (modes 0 / 1), 2 money kind (2 / 3),
// 3 users (4 / 5). A second click on the same head turns the order round.
void ToggleRoomSort(int column);

// A click on the room at `index` of the room list: past the end or a locked room clears
// the selection; a room whose window is open comes to the front and the selection
// clears; otherwise the room is selected and, for a positive id, "Enter room" shows.
void SelectRoomAt(std::size_t index);

// SelectedRoomId back to none and "Enter room" hidden.
void ClearRoomSelection();

// The tournament list: the room list's twin. Nothing from the server fills it; it holds
// the tournament rooms config.ini remembers, sorted and selected as rooms are, and
// entering a tournament only tells the debug window that it has no function.
// Sorted by TournamentSortMode (when there is more than one), then the view shows it.
void RefreshTournamentList();
// A column head of the tournament list, as ToggleRoomSort for rooms.
void ToggleTournamentSort(int column);
// A click on the tournament at `index`: as SelectRoomAt, with state 4 for a locked room.
void SelectTournamentAt(std::size_t index);
void ClearTournamentSelection();
// The enter button and a double-click in the list: the diagnostic text to KXDebug.
void EnterTournament();
