// Starting the sibling programs from the hub's own folder and taking their windows on.
// Only a window the started process owns is taken on: any program may have made a window
// of the class before, and would otherwise be told the lobby.
// Every command line keeps within the system's limit: names (the chat text) are cut to
// fit; a line that still does not fit starts nothing, and the debug window is told
// "<program> not started: command line of <n> characters is over the limit", n counting
// the quoted program path, the space after it and the parameters.
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
// window. `text` holds the received bytes, one per unit.
void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text);

// Type 101, "<join id>:<room id>:<table id>:<player A>:<player B>:<answer count>" (a missing
// or non-numeric item reads as 0). A known join id with a positive count tells the record's
// window the count (code 33) and forgets the record; a new id with a count of 0 or less
// gets a record and JoinView.exe, whose window KXLaunch<join id> makes the record open. A
// window that does not appear leaves the record closed and is reported to the debug
// window. The other two cases are ignored.
void OpenJoinWindow(std::string_view payload);
