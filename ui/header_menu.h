// The header menu bar of the main window as a state machine: the bar takes the capture
// on a press, tracks the pointer across its four titles and their panels, and runs a
// row's action on the release below the title row. Portable; the bar's window procedure
// applies each change to the windows.
#pragma once

// header menu state: 0 idle, 1..4 title n tracked, 5..8 title n - 4 pressed (panel open).
inline constexpr int kMenuIdle = 0;
inline constexpr int kMenuTitles = 4;

enum class MenuAction {
    None,
    Exit,
    Administration,  // runs only with the administrator flag 1; the click sound plays anyway
    Settings,
    ToggleContacts,
    Homepage,
    MyAccount,
    Cashier,
    Faq,
    About,
};

// What one pointer event does. `shownPanel` is the panel left open (1..4, 0 none); every
// other panel is hidden and told row 0. `highlightRow` is told to the shown panel.
struct MenuChange {
    int state = kMenuIdle;
    bool takeCapture = false;
    bool releaseCapture = false;
    bool panelsChange = false;  // show `shownPanel`, hide the others, tell the rows
    int shownPanel = 0;
    int highlightRow = 0;
    MenuAction action = MenuAction::None;
};

// Title under x (1..4): 0..128 File, 129..257 Options, 258..386 Website, 387 and more Help.
int MenuColumnAt(int x);
// The panel row to highlight at y for a column: 1..2 on two-row panels (y 23..62), 1..3
// on the Website panel (y 23..82), 0 otherwise.
int MenuHighlightRow(int column, int y);
// The action of the row released at (column, y); None on the title row and off the rows.
MenuAction MenuActionAt(int column, int y);

MenuChange MenuButtonDown(int state, bool captured, int x, int y);
MenuChange MenuPointerMove(int state, bool captured, int x, int y);
MenuChange MenuButtonUp(int state, bool captured, int x, int y);
// The capture ended, or the bar moves under it: everything closes.
MenuChange MenuClose();
