// A recording stand-in for the lobby port: every call becomes one line such as
// "find KXLobby5", "copydata 700 21 KXMessage,1:ann:0:4;\0" or "rows 3", so tests compare
// whole call sequences. Windows and processes are numbers the test chooses.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "lobby/lobby_port.h"

extern std::vector<std::string> lobbyCalls;
// Answers of SiblingFindWindow by class: one per search, the last one repeated; none: 0.
// SiblingFindOwnedWindow sees them all as the windows of that class, in this order.
extern std::map<std::wstring, std::deque<WindowRef>> fakeFindAnswers;
// The process owning a window; a window not listed belongs to whichever process asks.
extern std::map<WindowRef, ProcessRef> fakeWindowOwners;
// Windows that do not answer a synchronous send (hung).
extern std::set<WindowRef> fakeHungWindows;
// Places SiblingWindowPlace reads; other windows cannot be read.
extern std::map<WindowRef, std::pair<int, int>> fakeWindowPlaces;
// Called during every synchronous send to a sibling window, as the main window's thread
// would handle messages sent to it meanwhile (tests of what the hub does then).
extern std::function<void()> fakeDuringSend;
// Called while an error box is up, as its own message loop would dispatch meanwhile.
extern std::function<void()> fakeDuringErrorBox;
// The parameters of every start, whole (a recorded line shows at most 10000 bytes of them).
extern std::vector<std::wstring> fakeStartParameters;
// What SiblingStart returns (0: the start failed).
extern ProcessRef fakeNextProcess;
// When set, every call is counted but not recorded (benchmarks).
extern bool fakeLobbyQuiet;
extern std::size_t fakeLobbyCallCount;

// Everything back to the start: no windows, nothing recorded, process 900.
void ResetLobbyPortFake();
// The window appears for `className` on the next searches.
void FakeWindowFor(const std::wstring& className, WindowRef window);
// Another program's window of that class, there before any window of the started one.
void FakeImpostorFor(const std::wstring& className, WindowRef window);
// The recorded lines that begin with `prefix`.
std::vector<std::string> LobbyCallsStartingWith(const std::string& prefix);
// Bytes as the lines show them: printable ASCII as it is, "\0" for a zero, "\xNN" else.
std::string ShowBytes(std::string_view bytes);
