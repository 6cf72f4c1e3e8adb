// The room and tournament list views: only the listed entries take rows, only the visible
// rows are drawn, a click selects the entry under the pointer, a double-click enters.
#include <windows.h>

#include <vector>

#include "lobby/lobby_state.h"
#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/list_scroll_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"
#include "ui/scroll_bar_picture_win.h"
#include "ui/texts.h"

namespace {

constexpr int kMoneyIconBase = 97;                       // 98 real money, 99 play money, 100 free
constexpr int kListNameLeft = 20, kMoneyIconLeft = 164;  // names end 4 pixels before the icon
constexpr COLORREF kSelectedGrey = RGB(164, 164, 164);

// What tells the two views apart; param 1 of the class row is the room view, 2 the
// tournament view.
struct ListView {
    const std::vector<RoomRecord>& (*records)();
    const std::int32_t* selectedId;
    std::int32_t lockedState;
    void (*selectAt)(std::size_t index);
    void (*enter)();
    COLORREF nameColour;
    TextId emptyText;
};

void EnterSelectedTournament() {
    EnterTournament();
}

const ListView kViews[] = {
    {Rooms, &SelectedRoomId, kRoomLocked, SelectRoomAt, OpenRoomWindow, kRoomsBlue,
     TextId::NoRoomsFound},
    {TournamentRooms, &SelectedTournamentId, kTournamentClosed, SelectTournamentAt,
     EnterSelectedTournament, kTournamentsGreen, TextId::NoTournamentsFound},
};

const ListView& ViewOf(int row) {
    return kViews[kWindowClasses[row].param == 2 ? 1 : 0];
}

// Indices into the list of the entries that take a row, in list order.
std::vector<std::size_t> ListedIndices(const ListView& view) {
    std::vector<std::size_t> listed;
    const std::vector<RoomRecord>& records = view.records();
    for (std::size_t i = 0; i < records.size(); ++i)
        if (records[i].listed) listed.push_back(i);
    return listed;
}

std::wstring MoneyKindText(int kind) {
    switch (kind) {
        case 1:
            return Text(TextId::MoneyKindReal);
        case 2:
            return Text(TextId::MoneyKindPlay);
        case 3:
            return Text(TextId::MoneyKindFree);
        default:
            return std::wstring();
    }
}

void PaintListView(int row, HWND window) {
    const ListView& view = ViewOf(row);
    Canvas canvas;
    BeginCanvas(window, canvas);
    DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
    const std::vector<std::size_t> listed = ListedIndices(view);
    if (listed.empty()) {
        DrawCentredText(canvas.dc, Text(view.emptyText), smallFont, view.nameColour,
                        {0, 0, 430, 209});
    }
    const int scroll = ListScrollPosition(window);
    // Only the rows of the invalid band are drawn: one room's change paints its row.
    const RowBand invalid{canvas.paint.rcPaint.top, canvas.paint.rcPaint.bottom};
    std::wstring spoken;
    for (int k = scroll;
         k >= 0 && k < static_cast<int>(listed.size()) && k < scroll + kListPageRows; ++k) {
        const RoomRecord& room = view.records()[listed[static_cast<std::size_t>(k)]];
        const std::wstring users =
            room.state == view.lockedState ? Text(TextId::RoomLocked) : std::to_wstring(room.users);
        spoken += (spoken.empty() ? L"" : L"\n") + room.name + L"\t" +
                  MoneyKindText(room.moneyKind) + L"\t" + users;
        if (!RowMeetsBand(k, scroll, invalid)) continue;
        const int y = (k - scroll) * kListRowHeight;
        const bool greyed = room.id == *view.selectedId && !room.windowOpen;
        DrawTextInColumn(canvas.dc, room.name, smallFont, greyed ? kSelectedGrey : view.nameColour,
                         {kListNameLeft, y, kMoneyIconLeft - 4, canvas.height});
        DrawResourceBitmap(canvas.dc, kMoneyIconBase + room.moneyKind, kMoneyIconLeft, y, 16, 16);
        DrawTextAt(canvas.dc, MoneyKindText(room.moneyKind), smallFont, view.nameColour, 184, y);
        DrawTextAt(canvas.dc, users, smallFont, view.nameColour, 308, y);
    }
    EndCanvas(canvas);
    // The rows shown are also the window's text, for screen readers and the test probe.
    SetWindowTextW(window, (listed.empty() ? Text(view.emptyText) : spoken).c_str());
}

void SelectAtPointer(const ListView& view, HWND window, int y) {
    const std::vector<std::size_t> listed = ListedIndices(view);
    const int k = y / kListRowHeight + ListScrollPosition(window);
    // A click below the last listed entry clears the selection like one past the list.
    view.selectAt(k >= 0 && k < static_cast<int>(listed.size())
                      ? listed[static_cast<std::size_t>(k)]
                      : view.records().size());
    InvalidateRect(window, nullptr, FALSE);
}

}  // namespace

LRESULT ListViewProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT answer = 0;
    if (ScrollBarPictureMessage(window, message, wParam, lParam, answer)) return answer;
    switch (message) {
        case WM_CREATE:
            // Empty until the first list arrives: a disabled bar, not the 0 to 100 a
            // new window's bar starts with.
            SetListRows(window, 0, kListPageRows);
            return 0;
        case WM_PAINT:
            PaintListView(row, window);
            return 0;
        case WM_LBUTTONDOWN:
            SelectAtPointer(ViewOf(row), window, static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_LBUTTONDBLCLK:
            ViewOf(row).enter();
            return 0;
        case WM_VSCROLL:
            ScrollListByRequest(window, wParam, kListPageRows);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
