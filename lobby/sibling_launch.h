// Starting the sibling programs from the hub's own folder and taking their windows on.
#pragma once

#include <cstddef>
#include <string>

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

// ChatView.exe for a private conversation; the hub does not wait for it.
void OpenChatWindow(bool isContact, const std::wstring& name, const std::wstring& text);
