// Recording lobby port for the native tests and the benchmarks.
#include "tests/unit/fakes/lobby_port_fake.h"

#include <cstdio>

#include "net/text_convert.h"

std::vector<std::string> lobbyCalls;
std::map<std::wstring, std::deque<WindowRef>> fakeFindAnswers;
std::map<WindowRef, ProcessRef> fakeWindowOwners;
std::set<WindowRef> fakeHungWindows;
std::map<WindowRef, std::pair<int, int>> fakeWindowPlaces;
std::function<void()> fakeDuringSend;
std::function<void()> fakeDuringErrorBox;
std::vector<std::wstring> fakeStartParameters;
ProcessRef fakeNextProcess = 900;
bool fakeLobbyQuiet = false;
std::size_t fakeLobbyCallCount = 0;

namespace {

// Counts the call and records its line, unless quiet (then no line is even formatted).
template <typename Line>
void Record(Line line) {
    ++fakeLobbyCallCount;
    if (!fakeLobbyQuiet) lobbyCalls.push_back(line());
}

std::string N(std::intmax_t value) {
    return std::to_string(value);
}

// A synchronous send: the main window's thread may handle messages meanwhile.
template <typename Line>
bool Send(WindowRef window, Line line) {
    const bool hung = fakeHungWindows.count(window) != 0;
    if (fakeDuringSend) fakeDuringSend();
    Record([&] { return line() + (hung ? " (timeout)" : ""); });
    return !hung;
}

}  // namespace

void ResetLobbyPortFake() {
    lobbyCalls.clear();
    fakeFindAnswers.clear();
    fakeWindowOwners.clear();
    fakeHungWindows.clear();
    fakeWindowPlaces.clear();
    fakeDuringSend = fakeDuringErrorBox = nullptr;
    fakeStartParameters.clear();
    fakeNextProcess = 900;
    fakeLobbyQuiet = false;
    fakeLobbyCallCount = 0;
}

void FakeWindowFor(const std::wstring& className, WindowRef window) {
    fakeFindAnswers[className] = {window};
}

void FakeImpostorFor(const std::wstring& className, WindowRef window) {
    fakeFindAnswers[className].push_front(window);
    fakeWindowOwners[window] = 1;  // a stranger
}

std::vector<std::string> LobbyCallsStartingWith(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : lobbyCalls)
        if (line.starts_with(prefix)) lines.push_back(line);
    return lines;
}

std::string ShowBytes(std::string_view bytes) {
    std::string shown;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, byte == 0 ? "\\0" : "\\x%02X", byte);
        shown += byte >= 0x20 && byte < 0x7F ? std::string(1, c) : escaped;
    }
    return shown;
}

ProcessRef SiblingStart(const std::wstring& program, const std::wstring& parameters, int showMode) {
    if (!fakeLobbyQuiet) fakeStartParameters.push_back(parameters);
    Record([&] {
        return "start " + Utf8FromWide(program) + " " + N(showMode) + " " +
               Utf8FromWide(parameters);
    });
    return fakeNextProcess;
}
void SiblingWaitUntilIdle(ProcessRef process, int milliseconds) {
    Record([&] { return "wait " + N(process) + " " + N(milliseconds); });
}
void SiblingCloseProcess(ProcessRef process) {
    Record([&] { return "close " + N(process); });
}

WindowRef SiblingFindWindow(const std::wstring& className) {
    Record([&] { return "find " + Utf8FromWide(className); });
    auto found = fakeFindAnswers.find(className);
    if (found == fakeFindAnswers.end() || found->second.empty()) return 0;
    WindowRef window = found->second.front();
    if (found->second.size() > 1) found->second.pop_front();
    return window;
}
WindowRef SiblingFindOwnedWindow(ProcessRef process, const std::wstring& className) {
    Record([&] { return "find " + Utf8FromWide(className) + " of " + N(process); });
    auto found = fakeFindAnswers.find(className);
    if (process == 0 || found == fakeFindAnswers.end()) return 0;
    for (WindowRef window : found->second) {
        auto owner = fakeWindowOwners.find(window);
        if (owner == fakeWindowOwners.end() || owner->second == process) return window;
    }
    return 0;
}

bool SiblingSendCopyData(WindowRef window, std::uintptr_t code, std::string_view bytes) {
    return Send(window,
                [&] { return "copydata " + N(window) + " " + N(code) + " " + ShowBytes(bytes); });
}
bool SiblingSendCode(WindowRef window, int code, std::intptr_t lParam) {
    return Send(window, [&] { return "send " + N(window) + " " + N(code) + " " + N(lParam); });
}
void SiblingPostCode(WindowRef window, int code, std::intptr_t lParam) {
    Record([&] { return "post " + N(window) + " " + N(code) + " " + N(lParam); });
}
void SiblingToFront(WindowRef window) {
    Record([&] { return "front " + N(window); });
}

bool SiblingWindowPlace(WindowRef window, int& left, int& top) {
    auto found = fakeWindowPlaces.find(window);
    if (found == fakeWindowPlaces.end()) return false;
    std::tie(left, top) = found->second;
    return true;
}

void SiblingPause(int milliseconds) {
    Record([&] { return "pause " + N(milliseconds); });
}
void LobbySetRoomListRows(int rows) {
    Record([&] { return "rows " + N(rows); });
}
void LobbyRepaintRoomRows(int first, int last) {
    Record([&] { return "repaint room rows " + N(first) + "-" + N(last); });
}
void LobbyShowEnterRoom(bool shown) {
    Record([&] { return std::string(shown ? "show" : "hide") + " enter room"; });
}
void LobbyShowEnterTournament(bool shown) {
    Record([&] { return std::string(shown ? "show" : "hide") + " enter tournament"; });
}
void LobbyShowAddContactFailure(int resultCode) {
    Record([&] { return "add contact failure " + N(resultCode); });
}
void LobbyShowErrorBox(const std::wstring& caption, const std::wstring& text) {
    Record([&] { return "error box " + Utf8FromWide(caption) + " | " + Utf8FromWide(text); });
    if (fakeDuringErrorBox) fakeDuringErrorBox();
}

#define RECORDS(function, line)                   \
    void function() {                             \
        Record([] { return std::string(line); }); \
    }
RECORDS(LobbyRepaintRoomList, "repaint room list")
RECORDS(LobbyRepaintMain, "repaint main")
RECORDS(LobbyRefreshContacts, "refresh contacts")
RECORDS(LobbyContactCameOnline, "contact online")
RECORDS(LobbyRefreshTournamentList, "refresh tournaments")
RECORDS(LobbyShowOwnName, "own name")
RECORDS(LobbyShowOwnPresence, "own presence")
#undef RECORDS
