// The header menu's gestures: press-drag-release, click-to-open then click-a-row,
// switching panels along the titles, closing when the pointer leaves.
#include <gtest/gtest.h>

#include "ui/header_menu.h"

namespace {

struct Pointer {
    int state = kMenuIdle;
    bool captured = false;
    int shownPanel = 0, highlightRow = 0;
    MenuAction action = MenuAction::None;

    void Apply(const MenuChange& change) {
        state = change.state;
        if (change.takeCapture) captured = true;
        if (change.releaseCapture) captured = false;
        if (change.panelsChange) {
            shownPanel = change.shownPanel;
            highlightRow = change.highlightRow;
        }
        action = change.action;
    }
    void Down(int x, int y) { Apply(MenuButtonDown(state, captured, x, y)); }
    void Move(int x, int y) { Apply(MenuPointerMove(state, captured, x, y)); }
    void Up(int x, int y) { Apply(MenuButtonUp(state, captured, x, y)); }
    // state, captured, shown panel, highlighted row
    std::vector<int> Seen() const { return {state, captured, shownPanel, highlightRow}; }
};

TEST(HeaderMenu, MovingAlongTheTitlesSwitchesThePanelLeavingTheAreaClosesIt) {
    Pointer p;
    p.Down(140, 10);
    p.Move(300, 10);
    EXPECT_EQ(p.Seen(), (std::vector{7, 1, 3, 0}));
    p.Up(300, 10);
    p.Move(20, 5);
    EXPECT_EQ(p.Seen(), (std::vector{1, 1, 1, 0})) << "tracking follows the pointer";
    p.Move(530, 82);
    EXPECT_TRUE(p.captured) << "x 530 and y 82 are still inside";
    for (auto [x, y] : {std::pair{0, 10}, {531, 10}, {200, 0}, {200, 83}, {-5, -5}}) {
        Pointer q;
        q.Down(140, 10);
        q.Move(x, y);
        EXPECT_EQ(q.Seen(), (std::vector{kMenuIdle, 0, 0, 0})) << x << "," << y;
    }
    EXPECT_EQ(MenuPointerMove(kMenuIdle, false, 140, 30).state, kMenuIdle) << "no capture";
    EXPECT_EQ(MenuButtonUp(kMenuIdle, false, 140, 30).action, MenuAction::None);
    MenuChange close = MenuClose();
    EXPECT_EQ(close.state, kMenuIdle);
    EXPECT_TRUE(close.releaseCapture && close.panelsChange);
    EXPECT_EQ(close.shownPanel, 0);
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
