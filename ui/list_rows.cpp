#include "ui/list_rows.h"

#include <algorithm>

RowBand ChangedRowsBand(int first, int last, int scroll) {
    // The changed rows shown are top to bottom (excluded).
    const int top = std::max(first, scroll);
    const int bottom = std::min(last + 1, scroll + kListPageRows);
    if (top >= bottom) return {};
    // The row below, even below the page: the text of the page's last row reaches there.
    return {(top - scroll) * kListRowHeight, (bottom + 1 - scroll) * kListRowHeight};
}

bool RowMeetsBand(int row, int scroll, RowBand band) {
    const int y = (row - scroll) * kListRowHeight;
    return y < band.bottom && y + 2 * kListRowHeight > band.top;
}
