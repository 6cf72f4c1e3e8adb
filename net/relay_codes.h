// The numbers in dwData of the WM_COPYDATA texts between the hub and its siblings. Towards
// a sibling a relay code is the type of the server message whose content it carries
// (the hub's own answer 39 aside); the texts of server types 34 and 114 carry a code the
// server chooses.
#pragma once

enum RelayCode : int {
    RELAY_DEBUG_TEXT = 1,           // hub -> KXDebug: a diagnostic text
    RELAY_PRESENCE = 17,            // "<player id>,<status>"
    RELAY_PLAYERS = 21,             // "<id>:<name>:<value>:<status>;" per player
    RELAY_PLAYER_GONE = 22,         // the player id
    RELAY_ROOM_CHANGED = 31,        // "<room name>,<state>"
    RELAY_ROOM_PRESENCES = 32,      // "<presence id>:<player id>;" per presence
    RELAY_ROOM_LEFT = 38,           // hub -> room window: the presence id
    RELAY_ROOM_WINDOW_CLOSED = 38,  // room window -> hub: "<room id>,<x>,<y>"
    RELAY_TABLE_ANSWER = 39,        // "<table id>:<result>", result below
    RELAY_CONTACTS = 51,            // the contact relations, "<a>:<b>:<c>;" each
    RELAY_CONTACT_CHANGED = 53,     // "<contact id>,<relation>"
    RELAY_CONTACT_REMOVED = 54,     // the contact id
    RELAY_TABLES = 71,              // table values (room window: with the open flag and ";")
    RELAY_SEATS = 72,          // room window "<seat>:<table>:<player>;", table "<seat>:<player>;"
    RELAY_TABLE_REMOVED = 73,  // the table id
    RELAY_JOIN_ANSWER = 97,    // join window -> hub: "<join id>:<answer>"
    RELAY_CHAT_REQUEST = 99,   // sibling -> hub: a player id
    RELAY_TO_SERVER = 100,     // sibling -> hub: a whole message for the server
    RELAY_SEAT_REMOVED = 112,  // the seat id
};

// Results in a RELAY_TABLE_ANSWER.
enum TableAnswer : int {
    TABLE_ALREADY_OPEN = 0,
    TABLE_START_FAILED = 1,
    TABLE_OPENED = 2,
};
