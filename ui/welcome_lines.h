// The welcome lines of the main window's title band, shown while logged in.
#pragma once

#include <string>

#include "lobby/lobby_counts.h"

struct WelcomeLines {
    std::wstring greeting;  // "Welcome <user>"
    std::wstring players;   // "<n> users <m> online"
    std::wstring lobby;     // "<n> rooms <m> tables"
};

WelcomeLines ComposeWelcomeLines(const std::wstring& userName, const LobbyCounts& counts,
                                 int language);
