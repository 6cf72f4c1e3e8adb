// What the lobby asks of the window system: the sibling programs, their windows, and the
// few windows of the hub that show the lobby. One Win32 implementation
// (app/lobby_port_win.cpp); the unit tests and the benchmarks link a recording fake.
// Every call is made on the main window's thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lobby/records.h"

// A started sibling process as the launch keeps it until its window has been looked for;
// 0 when the start failed.
using ProcessRef = std::uintptr_t;

// Show modes of a started sibling.
inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int kShowPlain = 5;   // SW_SHOW

// --- Sibling programs and their windows ---

// ShellExecuteExW "open" of `program` (a file of the program folder) with `parameters`.
ProcessRef SiblingStart(const std::wstring& program, const std::wstring& parameters, int showMode);
// WaitForInputIdle, at most `milliseconds`. A failed start returns at once.
void SiblingWaitUntilIdle(ProcessRef process, int milliseconds);
void SiblingCloseProcess(ProcessRef process);
// FindWindowW of a top-level window by class; 0 when there is none.
WindowRef SiblingFindWindow(const std::wstring& className);
// The first top-level window of that class that `process` owns; 0 when it owns none (any
// program can make a window of a sibling's class, and must not be told the lobby).
WindowRef SiblingFindOwnedWindow(ProcessRef process, const std::wstring& className);
// WM_COPYDATA with dwData = code, cbData = the size of `bytes` and wParam = the hub's main
// window, sent synchronously within a time limit. False when the window did not take it
// in time (hung, or gone).
bool SiblingSendCopyData(WindowRef window, std::uintptr_t code, std::string_view bytes);
// TavloraIntMessage(code, lParam), sent synchronously within the same limit.
bool SiblingSendCode(WindowRef window, int code, std::intptr_t lParam);
// TavloraIntMessage(code, lParam), posted.
void SiblingPostCode(WindowRef window, int code, std::intptr_t lParam);
// SetForegroundWindow.
void SiblingToFront(WindowRef window);
// The window's screen place (GetWindowRect); false when it cannot be read.
bool SiblingWindowPlace(WindowRef window, int& left, int& top);
// Sleep.
void SiblingPause(int milliseconds);

// --- The hub's lobby windows ---

// The room list's vertical scroll range 0 .. rows - 1, a page of 12 rows.
void LobbySetRoomListRows(int rows);
void LobbyRepaintRoomList();
// Rows first to last of the room list (0 is the first listed room) read differently; the
// view paints again those of them it shows.
void LobbyRepaintRoomRows(int first, int last);
// The main window: its welcome lines count players, rooms and tables.
void LobbyRepaintMain();
void LobbyShowEnterRoom(bool shown);
// The contacts list rebuilt from the contact relations and the players.
void LobbyRefreshContacts();
// A contact came online: the contacts window plays its sound when it is shown.
void LobbyContactCameOnline();
// The server refused an add: the failure box for its result code.
void LobbyShowAddContactFailure(int resultCode);
// The tournament list view shows the list again: its scroll range and its rows.
void LobbyRefreshTournamentList();
void LobbyShowEnterTournament(bool shown);
// The own display name changed (the account panel shows it).
void LobbyShowOwnName();
// The own presence changed: the contacts window's status bar and Status menu follow it.
void LobbyShowOwnPresence();
// A modal error box owned by the contacts window, kept on top (MessageBoxW with
// MB_ICONERROR | MB_TOPMOST). The hub's messages go on being dispatched while it is up.
void LobbyShowErrorBox(const std::wstring& caption, const std::wstring& text);
