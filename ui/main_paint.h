// The welcome lines of the main window's title band, shown while logged in.
#pragma once

#include <string>

// What the welcome lines count, from the lobby model.
struct LobbyCounts {
    int players = 0;        // player records
    int playersOnline = 0;  // players whose status is above 0
    int rooms = 0;          // rooms plus tournament rooms
    int tables = 0;         // tables plus tournament tables
};

// Implemented by the lobby model.
LobbyCounts CurrentLobbyCounts();

struct WelcomeLines {
    std::wstring greeting;  // "Welcome <user>"
    std::wstring players;   // "<n> users <m> online"
    std::wstring lobby;     // "<n> rooms <m> tables"
};

WelcomeLines ComposeWelcomeLines(const std::wstring& userName, const LobbyCounts& counts,
                                 int language);
