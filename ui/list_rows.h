// Where the rows of the room and tournament list views lie: 16 pixels each, a page of 12
// from the scroll position. A row's text reaches a few pixels into the row below it (the
// letters' descenders).
#pragma once

inline constexpr int kListRowHeight = 16;
inline constexpr int kListPageRows = 12;  // rows a room or tournament list shows at once

// A band of a list view's client area: pixels top to bottom (excluded); empty when
// top == bottom.
struct RowBand {
    int top = 0;
    int bottom = 0;
};

// What a change of rows first to last paints again while the list shows the page from row
// `scroll`: the shown ones among them and the row below the last, which their text
// reaches into.
RowBand ChangedRowsBand(int first, int last, int scroll);

// Whether painting `band` draws row `row` (0 is the first listed entry): the row lies in
// the band, or its text reaches into it from above.
bool RowMeetsBand(int row, int scroll, RowBand band);
