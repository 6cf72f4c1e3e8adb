// The vertical scrolling every list of the hub shares: the range set from its row count,
// the position read back, and the scroll bar's requests.
#pragma once

#include <windows.h>

#include "ui/list_rows.h"

// Range 0 .. rows - 1 with a page of `page` rows. A list that fits its window keeps its
// scroll bar, disabled: the rows do not change width as the list grows and shrinks.
void SetListRows(HWND list, int rows, int page);
int ListScrollPosition(HWND list);
// WM_VSCROLL: a line, a page (`pageWhenUnset` before any range was set) or the thumb's
// place; the list repaints.
void ScrollListByRequest(HWND list, WPARAM request, int pageWhenUnset);

// Rows first to last of `list` changed: the band of them it shows is painted again.
void RepaintListRows(HWND list, int first, int last);
