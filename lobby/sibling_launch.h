// Starting the sibling programs from the hub's own folder and taking their windows on.
// Only a window the started process owns is taken on: any program may have made a window
// of the class before, and would otherwise be told the lobby.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// How long a started sibling may take to become idle before its window is looked for.
inline constexpr int kSiblingIdleWaitMs = 5000;

// Enters the selected room: the selection is cleared (and "Enter room" hidden) whatever
// happens; a known, closed, unlocked room gets RoomView.exe, whose window KXLobby<id> is
// told the lobby, and the server is told "32,<room id>,!". A window that does not appear
// leaves the room closed and is not reported.
void OpenRoomWindow();

// Starts BoardView.exe for the table at `tableIndex` of the table list. When its window
// KXTable<id> appears: marked open, told the sound, save, time stamp and enter/exit
// settings (codes 10 to 13) and the table, and the server is told
// "111,<room id>:<table id>,!". False when no window appeared.
bool OpenTableWindow(std::size_t tableIndex);

// ChatView.exe for a private conversation; the hub neither waits for it nor looks for its
// window. `text` holds the received bytes, one per unit; a text too long for the command
// line is cut after its last whole character that fits, and a line that cannot fit at all
// (only an absurd name makes one) starts nothing.
void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text);

// Type 101, "<join id>:<room id>:<table id>:<player A>:<player B>:<answer count>" (a missing
// or non-numeric item reads as 0). A known join id with a positive count tells the record's
// window the count (code 33) and forgets the record; a new id with a count of 0 or less
// gets a record and JoinView.exe, whose window KXLaunch<join id> makes the record open. A
// window that does not appear leaves the record closed and is reported to the debug
// window. The other two cases are ignored.
void OpenJoinWindow(std::string_view payload);
