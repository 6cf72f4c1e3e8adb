// config.ini's bytes to and from the settings variables. The file is three layers: a
// filler character after every 3 characters, Base64, and records ended by "!" whose
// fields are separated by single spaces. Portable: the Win32 file access is elsewhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Remembered top-left of a room's (or tournament room's) window, keys 30 and 31.
struct RememberedWindowPosition {
    std::int32_t roomId = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    bool operator==(const RememberedWindowPosition&) const = default;
};

// What config.ini holds besides the settings variables.
struct ConfigIniContents {
    bool loginPresent = false;  // key 3 was read
    std::wstring userName, password;
    std::vector<RememberedWindowPosition> rooms;            // key 30, in file order
    std::vector<RememberedWindowPosition> tournamentRooms;  // key 31, in file order
};

// Applies every valid record of the file to the settings variables, on top of their
// current values (start-up has them at their defaults), and returns the rest. A file
// under 5 bytes, or one whose first record is not a version of at least 70, changes
// nothing. Damaged input stops where it becomes unreadable; it never fails otherwise.
ConfigIniContents ApplyConfigIni(std::string_view fileBytes);

// What the writer needs beyond the settings variables. The room lists are already
// filtered by the caller (listed rooms, or every room while the first list is pending).
struct ConfigIniWriteInput {
    std::int32_t mainWindowLeft = 0, mainWindowTop = 0;  // GetWindowRect of the main window
    std::wstring loggedInUserName, loggedInPassword;     // key 3 only when both are non-empty
    std::vector<RememberedWindowPosition> rooms;
    std::vector<RememberedWindowPosition> tournamentRooms;
};

// The complete file from the committed values and the input.
std::string ComposeConfigIni(const ConfigIniWriteInput& input);

// The outer layer alone, for tests and tools: the filler after every 3 characters (and
// after a shorter last group), and its removal (every fourth character, unchecked).
std::string InsertFillerCharacters(std::string_view middle);
std::string RemoveFillerCharacters(std::string_view outer);
