// Ids of the resources that tavlora.rc numbers and the program names in its code: the
// interface sounds and the skin's bitmaps drawn outside the window class table.
#pragma once

// WAVE resources.
enum SoundId : int {
    SOUND_GOODBYE = 1001,         // the main window is destroyed (played to its end)
    SOUND_ERROR = 1002,           // the error dialog appears
    SOUND_LOGIN_ACCEPTED = 1003,  // the server accepted the login
    SOUND_CLICK = 1004,           // a menu action or a dialog button
    SOUND_CONTACT_ONLINE = 1005,  // a contact came online
};

// BITMAP resources.
enum BitmapId : int {
    BITMAP_MAIN_TITLE_LEFT = 2,      // left end of the main window's title band
    BITMAP_MAIN_TITLE_TILE = 3,      // tiled across the rest of the band
    BITMAP_MAIN_PICTURE = 4,         // the picture under the welcome lines
    BITMAP_ERROR_TITLE_LEFT = 12,    // left end of the error dialog's title band
    BITMAP_ERROR_TITLE_TILE = 13,    // tiled across the rest of it
    BITMAP_TAB_UNDERLINE = 27,       // 27, 28, 29: under the rooms, tournaments, cashier tab
    BITMAP_MENU_PANEL = 40,          // background of a dropdown panel
    BITMAP_MENU_ROW_HIGHLIGHT = 41,  // a panel row or a menu title under the pointer
    BITMAP_MENU_TITLE_PRESSED = 42,  // a menu title whose panel is open
    BITMAP_MENU_ROW = 43,            // a panel row
    BITMAP_PAGE_SELECTED = 52,       // the settings page image of the current page
    BITMAP_PAGE_OTHER = 53,          // ... of the other pages
    BITMAP_PAGE_TAB_SELECTED = 55,   // 53 + 2n: the tab of page n when it is current
    BITMAP_PAGE_TAB_PRESSED = 56,    // 54 + 2n: the tab of page n while pressed
};
