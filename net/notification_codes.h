// Codes carried in wParam of the registered message TavloraIntMessage, between the
// hub's threads, its own windows and the sibling programs' windows.
#pragma once

enum NotificationCode : int {
    NC_HUB_CLOSING = 1,       // hub -> siblings (broadcast): close your window
    NC_FOCUS_DIALOG = 2,      // hub -> its error/login/add-contact dialog: take the focus
    NC_PREPARE_DIALOG = 3,    // hub -> its error/login dialog: place yourself (lParam layout)
    NC_NO_CONNECTION = 4,     // connection thread -> main window
    NC_REFUSED = 5,           // connection thread: version refused or pairing refused
    NC_CONNECTED = 6,         // connection thread: both connections up
    NC_CONNECTION_LOST = 7,   // receive loop or sender ended
    NC_INBOUND = 8,           // inbound queue push
    NC_LANGUAGE_CHANGED = 9,  // broadcast, lParam = new language
    NC_SOUND_CHANGED = 10,    // broadcast or to a table window
    NC_SAVE_FORMAT_CHANGED = 11,
    NC_TIMESTAMP_CHANGED = 12,
    NC_ENTER_EXIT_CHANGED = 13,
    NC_HIGHLIGHT_ROW = 14,  // hub -> one of its dropdown panels
    NC_CHILD_VERSION_OBSOLETE = 28,
    NC_ROOM_CLOSED = 29,
    NC_OPEN_TABLE = 31,
    NC_JOIN_ANSWER_COUNT = 33,
    NC_JOIN_RESULT = 34,
    NC_CHILD_SCREEN_TOO_SMALL = 35,
    NC_TABLE_CLOSED = 36,
    NC_ROOM_TABLE_CLOSED = 38,
    NC_FONT_CHANGED = 39,
};
