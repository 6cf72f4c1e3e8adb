// The header menu's area, columns, rows and actions at their edges.
#include <gtest/gtest.h>

#include "ui/header_menu.h"

namespace {

// After a press on a title, the panel follows the pointer up to the area's exact edges
// (x 1..530, y 1..82) and everything closes past them: state, capture released, shown
// panel, highlighted row.
TEST(HeaderMenu, ThePressedMenuClosesPastTheExactEdgesOfItsArea) {
    const MenuChange down = MenuButtonDown(kMenuIdle, false, 140, 10);
    ASSERT_TRUE(down.takeCapture);
    const auto After = [&](int x, int y) {
        const MenuChange m = MenuPointerMove(down.state, true, x, y);
        return std::vector{m.state, int{m.releaseCapture}, m.shownPanel, m.highlightRow};
    };
    EXPECT_EQ(After(1, 1), (std::vector{5, 0, 1, 0}));
    EXPECT_EQ(After(530, 82), (std::vector{8, 0, 4, 0}));
    EXPECT_EQ(After(300, 50), (std::vector{7, 0, 3, 2}));
    for (auto [x, y] : {std::pair{0, 10}, {531, 10}, {200, 0}, {200, 83}, {-5, -5}})
        EXPECT_EQ(After(x, y), (std::vector{kMenuIdle, 1, 0, 0})) << x << "," << y;
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
