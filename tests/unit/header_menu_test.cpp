// The header menu's gestures: press-drag-release, click-to-open then click-a-row,
// switching panels along the titles, closing when the pointer leaves.
#include <gtest/gtest.h>

#include "ui/header_menu.h"

namespace {

// The bar as its window applies the changes: state, captured, shown panel, highlighted row.
struct Pointer {
    std::vector<int> seen = {kMenuIdle, 0, 0, 0};

    void Apply(const MenuChange& change) {
        seen[0] = change.state;
        seen[1] = change.takeCapture || (seen[1] && !change.releaseCapture);
        if (change.panelsChange) {
            seen[2] = change.shownPanel;
            seen[3] = change.highlightRow;
        }
    }
    void Down(int x, int y) { Apply(MenuButtonDown(seen[0], seen[1], x, y)); }
    void Move(int x, int y) { Apply(MenuPointerMove(seen[0], seen[1], x, y)); }
};

// With the button down, the panel follows the pointer up to the area's exact edges
// (x 1..530, y 1..82) and everything closes past them.
TEST(HeaderMenu, ThePressedMenuClosesPastTheExactEdgesOfItsArea) {
    const struct {
        int x, y;
        std::vector<int> seen;
    } cases[] = {{1, 1, {5, 1, 1, 0}},           {530, 82, {8, 1, 4, 0}},
                 {0, 10, {kMenuIdle, 0, 0, 0}},  {531, 10, {kMenuIdle, 0, 0, 0}},
                 {200, 0, {kMenuIdle, 0, 0, 0}}, {200, 83, {kMenuIdle, 0, 0, 0}},
                 {-5, -5, {kMenuIdle, 0, 0, 0}}};
    for (const auto& c : cases) {
        Pointer p;
        p.Down(140, 10);
        p.Move(c.x, c.y);
        EXPECT_EQ(p.seen, c.seen) << c.x << "," << c.y;
    }
    EXPECT_EQ(MenuPointerMove(kMenuIdle, false, 140, 30).state, kMenuIdle) << "no capture";
    EXPECT_EQ(MenuButtonUp(kMenuIdle, false, 140, 30).action, MenuAction::None);
}

TEST(HeaderMenu, ColumnsRowsAndActions) {
    const struct {
        int x, y, column, highlight;
        MenuAction action;
    } cases[] = {{0, 30, 1, 1, MenuAction::Exit},
                 {128, 43, 1, 2, MenuAction::Administration},
                 {128, 70, 1, 0, MenuAction::None},
                 {129, 23, 2, 1, MenuAction::Settings},
                 {257, 62, 2, 2, MenuAction::ToggleContacts},
                 {258, 63, 3, 3, MenuAction::Cashier},
                 {386, 42, 3, 1, MenuAction::Homepage},
                 {386, 43, 3, 2, MenuAction::MyAccount},
                 {387, 30, 4, 1, MenuAction::Faq},
                 {529, 50, 4, 2, MenuAction::About},
                 {200, 22, 2, 0, MenuAction::None},
                 {300, 83, 3, 0, MenuAction::None}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        EXPECT_EQ(MenuColumnAt(c.x), c.column);
        EXPECT_EQ(MenuHighlightRow(c.column, c.y), c.highlight);
        EXPECT_EQ(MenuActionAt(c.column, c.y), c.action);
    }
}

}  // namespace
