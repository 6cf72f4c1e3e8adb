// The header menu's geometry and transitions.
#include "ui/header_menu.h"

namespace {

constexpr int kColumnWidth = 129;
constexpr int kTitleRowBottom = 22;  // the title row is y 0..22
constexpr int kPanelRowHeight = 20;
constexpr int kMenuRight = 530;  // the pointer closes the menu outside x 1..530
constexpr int kMenuBottom = 82;  // ... and y 1..82
constexpr int kWebsiteColumn = 3;

// Row 1..3 of the panel area under y, 0 on the title row or below the third row.
int PanelRowAt(int y) {
    if (y <= kTitleRowBottom || y > kMenuBottom) return 0;
    return (y - kTitleRowBottom - 1) / kPanelRowHeight + 1;
}

int RowsOf(int column) {
    return column == kWebsiteColumn ? 3 : 2;
}

MenuChange Tracking(int state, int column, int y) {
    MenuChange change;
    change.state = state < 5 ? column : 4 + column;
    change.panelsChange = true;
    change.shownPanel = column;
    change.highlightRow = MenuHighlightRow(column, y);
    return change;
}

}  // namespace

int MenuColumnAt(int x) {
    if (x < kColumnWidth) return 1;
    if (x < 2 * kColumnWidth) return 2;
    if (x < 3 * kColumnWidth) return 3;
    return 4;
}

int MenuHighlightRow(int column, int y) {
    const int row = PanelRowAt(y);
    return row <= RowsOf(column) ? row : 0;
}

MenuAction MenuActionAt(int column, int y) {
    static constexpr MenuAction kRows[kMenuTitles][3] = {
        {MenuAction::Exit, MenuAction::Administration, MenuAction::None},
        {MenuAction::Settings, MenuAction::ToggleContacts, MenuAction::None},
        {MenuAction::Homepage, MenuAction::MyAccount, MenuAction::Cashier},
        {MenuAction::Faq, MenuAction::About, MenuAction::None},
    };
    const int row = PanelRowAt(y);
    if (column < 1 || column > kMenuTitles || row == 0) return MenuAction::None;
    return kRows[column - 1][row - 1];
}

MenuChange MenuClose() {
    MenuChange change;
    change.releaseCapture = true;
    change.panelsChange = true;
    return change;
}

MenuChange MenuButtonDown(int state, bool captured, int x, int y) {
    MenuChange change;
    change.state = state;
    const int column = MenuColumnAt(x);
    if (!captured) {
        change.takeCapture = true;
        change.state = 4 + column;
        change.panelsChange = true;
        change.shownPanel = column;
    } else if (y <= kTitleRowBottom) {
        change.state = 4 + column;
    }
    return change;
}

MenuChange MenuPointerMove(int state, bool captured, int x, int y) {
    MenuChange change;
    change.state = state;
    if (!captured) return change;
    if (x < 1 || x > kMenuRight || y < 1 || y > kMenuBottom) return MenuClose();
    return Tracking(state, MenuColumnAt(x), y);
}

MenuChange MenuButtonUp(int state, bool captured, int x, int y) {
    MenuChange change;
    change.state = state;
    if (!captured) return change;
    if (y <= kTitleRowBottom) {
        // The panel stays open and goes on tracking the pointer.
        if (state > kMenuTitles) change.state = state - 4;
        return change;
    }
    change = MenuClose();
    change.action = MenuActionAt(MenuColumnAt(x), y);
    return change;
}
