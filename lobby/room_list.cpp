// Order and selection of the room list and of its twin, the tournament list.
#include "lobby/room_list.h"

#include <algorithm>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/relay.h"
#include "settings/settings.h"

namespace {

// The C runtime's tolower in its default locale: A to Z only.
wchar_t Lowered(wchar_t unit) {
    return unit >= L'A' && unit <= L'Z' ? static_cast<wchar_t>(unit - L'A' + L'a') : unit;
}

int Compare(std::int32_t a, std::int32_t b) {
    return a < b ? -1 : (a > b ? 1 : 0);
}

// <0 when `a` comes before `b` in `mode`.
int CompareRooms(const RoomRecord& a, const RoomRecord& b, int mode) {
    if (mode == 1) return CompareRoomNames(b.name, a.name);
    int order = 0;
    if (mode >= 2 && mode <= 5) {
        // 2 / 3 money kind ascending / descending, 4 / 5 users descending / ascending.
        const auto key = mode <= 3 ? &RoomRecord::moneyKind : &RoomRecord::users;
        order = mode == 3 || mode == 4 ? Compare(b.*key, a.*key) : Compare(a.*key, b.*key);
    }
    return order != 0 ? order : CompareRoomNames(a.name, b.name);
}

}  // namespace

int CompareRoomNames(const std::wstring& a, const std::wstring& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        // Code units compare as the unsigned 16-bit values they are.
        const auto left = static_cast<std::uint32_t>(Lowered(a[i])) & 0xFFFFu;
        const auto right = static_cast<std::uint32_t>(Lowered(b[i])) & 0xFFFFu;
        if (left != right) return left < right ? -1 : 1;
    }
    return Compare(static_cast<std::int32_t>(a.size() > common),
                   static_cast<std::int32_t>(b.size() > common));
}

int ToggledSortMode(int mode, int column) {
    switch (column) {
        case 1:
            return mode == 0 ? 1 : 0;
        case 2:
            return mode == 2 ? 3 : 2;
        case 3:
            return mode == 4 ? 5 : 4;
        default:
            return mode;
    }
}

int ListedCount(const std::vector<RoomRecord>& list) {
    int count = 0;
    for (const RoomRecord& room : list)
        count += room.listed ? 1 : 0;
    return count;
}

void RepaintRoomList() {
    TakeRoomListChange();
    LobbyRepaintRoomList();
}

namespace {

RoomOrder OrderOf(int mode) {
    return
        [mode](const RoomRecord& a, const RoomRecord& b) { return CompareRooms(a, b, mode) < 0; };
}

// The view paints again only the rows of the rooms that changed, unless rows moved.
void ShowRoomList() {
    const RoomListChange change = TakeRoomListChange();
    // Only listed rooms take a row, so only they count for scrolling; a room's row is the
    // number of listed rooms before it.
    const std::vector<RoomRecord>& rooms = Rooms();
    int listed = 0, firstRow = 0, lastRow = 0;
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        if (i == change.first) firstRow = listed;
        if (i == change.last) lastRow = listed;
        listed += rooms[i].listed ? 1 : 0;
    }
    LobbySetRoomListRows(listed);
    if (change.moved)
        LobbyRepaintRoomList();
    else if (change.first != kNotFound)
        LobbyRepaintRoomRows(firstRow, lastRow);
    LobbyRepaintMain();
}

// What tells the room list and the tournament list apart; the rest of their logic is one.
struct RoomListKind {
    const std::vector<RoomRecord>& (*list)();
    const int* sortMode;
    int sortModeKey;           // its settings key
    std::int32_t closedState;  // a room in this state cannot be selected
    const std::int32_t* selectedId;
    void (*setSelectedId)(std::int32_t);
    void (*showEnter)(bool);
    void (*refresh)();
    void (*repaintList)();
};

const RoomListKind kRoomList{
    Rooms,           &RoomSortMode,     kRoomSortModeKey,   kRoomLocked,
    &SelectedRoomId, SetSelectedRoomId, LobbyShowEnterRoom, RefreshRoomList,
    RepaintRoomList};
const RoomListKind kTournamentList{
    TournamentRooms,          &TournamentSortMode,   kTournamentSortModeKey,
    kTournamentClosed,        &SelectedTournamentId, SetSelectedTournamentId,
    LobbyShowEnterTournament, RefreshTournamentList, LobbyRefreshTournamentList};

void ToggleSort(const RoomListKind& kind, int column) {
    if (column < 1 || column > 3) return;
    SetSetting(kind.sortModeKey, ToggledSortMode(*kind.sortMode, column));
    kind.refresh();
}

void ClearSelection(const RoomListKind& kind) {
    kind.setSelectedId(0);
    kind.showEnter(false);
}

void SelectAt(const RoomListKind& kind, std::size_t index) {
    const std::vector<RoomRecord>& list = kind.list();
    if (index >= list.size() || list[index].state == kind.closedState) {
        ClearSelection(kind);
    } else if (list[index].windowOpen) {
        SiblingToFront(list[index].window);
        ClearSelection(kind);
    } else {
        kind.setSelectedId(list[index].id);
        if (*kind.selectedId > 0) kind.showEnter(true);
    }
    kind.repaintList();
}

}  // namespace

void SortRooms(int mode) {
    SortRoomRecords(OrderOf(mode));
}

void RefreshRoomList() {
    if (Rooms().size() > 1) SortRooms(RoomSortMode);
    ShowRoomList();
}

void RefreshRoomUsers() {
    const bool orderByUsers = RoomSortMode == 4 || RoomSortMode == 5;
    if (Rooms().size() > 1 && (orderByUsers || FirstRoomListPending)) SortRooms(RoomSortMode);
    ShowRoomList();
}

void ToggleRoomSort(int column) {
    ToggleSort(kRoomList, column);
}

void ClearRoomSelection() {
    ClearSelection(kRoomList);
}

void SelectRoomAt(std::size_t index) {
    SelectAt(kRoomList, index);
}

void RefreshTournamentList() {
    // Nothing but the order changes here: a list already in order shows the same.
    if (TournamentRooms().size() > 1 && SortTournamentRecords(OrderOf(TournamentSortMode)))
        LobbyRefreshTournamentList();
}

void ToggleTournamentSort(int column) {
    ToggleSort(kTournamentList, column);
}

void ClearTournamentSelection() {
    ClearSelection(kTournamentList);
}

void SelectTournamentAt(std::size_t index) {
    SelectAt(kTournamentList, index);
}

void EnterTournament() {
    SendToDebugWindow(1, L"ExecEnterTourny() has no function");
}
