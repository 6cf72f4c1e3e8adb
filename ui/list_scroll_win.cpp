// Scrolling of the room, tournament and contacts lists.
#include "ui/list_scroll_win.h"

void SetListRows(HWND list, int rows, int page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = rows > 0 ? rows - 1 : 0;  // an empty list: one row's range, never 0 to -1
    info.nPage = static_cast<UINT>(page);
    SetScrollInfo(list, SB_VERT, &info, TRUE);
}

int ListScrollPosition(HWND list) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(list, SB_VERT, &info);
    return info.nPos;
}

void ScrollListByRequest(HWND list, WPARAM request, int pageWhenUnset) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(list, SB_VERT, &info);
    int position = info.nPos;
    const int page = info.nPage > 0 ? static_cast<int>(info.nPage) : pageWhenUnset;
    switch (LOWORD(request)) {
        case SB_LINEUP:
            position -= 1;
            break;
        case SB_LINEDOWN:
            position += 1;
            break;
        case SB_PAGEUP:
            position -= page;
            break;
        case SB_PAGEDOWN:
            position += page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        default:
            return;
    }
    info.fMask = SIF_POS;
    info.nPos = position;  // the scroll bar keeps it inside its range
    SetScrollInfo(list, SB_VERT, &info, TRUE);
    InvalidateRect(list, nullptr, FALSE);
}

void RepaintListRows(HWND list, int first, int last) {
    const RowBand band = ChangedRowsBand(first, last, ListScrollPosition(list));
    if (band.top == band.bottom) return;
    RECT rows{};
    GetClientRect(list, &rows);
    rows.top = band.top;
    rows.bottom = band.bottom;
    InvalidateRect(list, &rows, FALSE);
}
