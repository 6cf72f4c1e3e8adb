// The counts of the main window's welcome lines, from the lobby model.
#pragma once

// What the welcome lines count, from the lobby model.
struct LobbyCounts {
    int players = 0;        // player records
    int playersOnline = 0;  // players whose status is above 0
    int rooms = 0;          // rooms plus tournament rooms
    int tables = 0;         // tables plus tournament tables
};

LobbyCounts CurrentLobbyCounts();
