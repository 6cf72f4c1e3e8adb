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

// In quiet mode a call only counts, before any line is formatted.
bool Quiet() {
    ++fakeLobbyCallCount;
    return fakeLobbyQuiet;
}

void Record(const std::string& line) {
    lobbyCalls.push_back(line);
}

std::string Number(std::uintmax_t value) {
    return std::to_string(value);
}

}  // namespace

void ResetLobbyPortFake() {
    lobbyCalls.clear();
    fakeFindAnswers.clear();
    fakeWindowOwners.clear();
    fakeHungWindows.clear();
    fakeWindowPlaces.clear();
    fakeDuringSend = nullptr;
    fakeDuringErrorBox = nullptr;
    fakeStartParameters.clear();
    fakeNextProcess = 900;
    fakeLobbyQuiet = false;
    fakeLobbyCallCount = 0;
}

void FakeWindowFor(const std::wstring& className, WindowRef window) {
    fakeFindAnswers[className] = {window};
}

void FakeImpostorFor(const std::wstring& className, WindowRef window) {
    constexpr ProcessRef kStranger = 1;
    fakeFindAnswers[className].push_front(window);
    fakeWindowOwners[window] = kStranger;
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
        if (byte == 0) {
            shown += "\\0";
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

ProcessRef SiblingStart(const std::wstring& program, const std::wstring& parameters, int showMode) {
    if (Quiet()) {
        return fakeNextProcess;
    }
    fakeStartParameters.push_back(parameters);
    Record("start " + Utf8FromWide(program) + " " + Number(static_cast<unsigned>(showMode)) + " " +
           Utf8FromWide(parameters));
    return fakeNextProcess;
}

void SiblingWaitUntilIdle(ProcessRef process, int milliseconds) {
    if (Quiet()) return;
    Record("wait " + Number(process) + " " + std::to_string(milliseconds));
}

void SiblingCloseProcess(ProcessRef process) {
    if (Quiet()) return;
    Record("close " + Number(process));
}

WindowRef SiblingFindWindow(const std::wstring& className) {
    if (!Quiet()) Record("find " + Utf8FromWide(className));
    auto found = fakeFindAnswers.find(className);
    if (found == fakeFindAnswers.end() || found->second.empty()) return 0;
    WindowRef window = found->second.front();
    if (found->second.size() > 1) found->second.pop_front();
    return window;
}

WindowRef SiblingFindOwnedWindow(ProcessRef process, const std::wstring& className) {
    if (!Quiet()) Record("find " + Utf8FromWide(className) + " of " + Number(process));
    auto found = fakeFindAnswers.find(className);
    if (process == 0 || found == fakeFindAnswers.end()) return 0;
    for (WindowRef window : found->second) {
        auto owner = fakeWindowOwners.find(window);
        if (owner == fakeWindowOwners.end() || owner->second == process) return window;
    }
    return 0;
}

bool SiblingSendCopyData(WindowRef window, std::uintptr_t code, std::string_view bytes) {
    const bool hung = fakeHungWindows.count(window) != 0;
    if (fakeDuringSend) fakeDuringSend();
    if (Quiet()) return !hung;
    Record("copydata " + Number(window) + " " + Number(code) + " " + ShowBytes(bytes) +
           (hung ? " (timeout)" : ""));
    return !hung;
}

bool SiblingSendCode(WindowRef window, int code, std::intptr_t lParam) {
    const bool hung = fakeHungWindows.count(window) != 0;
    if (fakeDuringSend) fakeDuringSend();
    if (Quiet()) return !hung;
    Record("send " + Number(window) + " " + std::to_string(code) + " " + std::to_string(lParam) +
           (hung ? " (timeout)" : ""));
    return !hung;
}

void SiblingPostCode(WindowRef window, int code, std::intptr_t lParam) {
    if (Quiet()) return;
    Record("post " + Number(window) + " " + std::to_string(code) + " " + std::to_string(lParam));
}

void SiblingToFront(WindowRef window) {
    if (Quiet()) return;
    Record("front " + Number(window));
}

bool SiblingWindowPlace(WindowRef window, int& left, int& top) {
    auto found = fakeWindowPlaces.find(window);
    if (found == fakeWindowPlaces.end()) return false;
    left = found->second.first;
    top = found->second.second;
    return true;
}

void SiblingPause(int milliseconds) {
    if (Quiet()) return;
    Record("pause " + std::to_string(milliseconds));
}

void LobbySetRoomListRows(int rows) {
    if (Quiet()) return;
    Record("rows " + std::to_string(rows));
}
void LobbyRepaintRoomList() {
    if (Quiet()) return;
    Record("repaint room list");
}
void LobbyRepaintMain() {
    if (Quiet()) return;
    Record("repaint main");
}
void LobbyShowEnterRoom(bool shown) {
    if (Quiet()) return;
    Record(shown ? "show enter room" : "hide enter room");
}
void LobbyRefreshContacts() {
    if (Quiet()) return;
    Record("refresh contacts");
}
void LobbyContactCameOnline() {
    if (Quiet()) return;
    Record("contact online");
}
void LobbyShowAddContactFailure(int resultCode) {
    if (Quiet()) return;
    Record("add contact failure " + std::to_string(resultCode));
}
void LobbyRefreshTournamentList() {
    if (Quiet()) return;
    Record("refresh tournaments");
}
void LobbyShowEnterTournament(bool shown) {
    if (Quiet()) return;
    Record(shown ? "show enter tournament" : "hide enter tournament");
}
void LobbyShowOwnName() {
    if (Quiet()) return;
    Record("own name");
}
void LobbyShowOwnPresence() {
    if (Quiet()) return;
    Record("own presence");
}

void LobbyShowErrorBox(const std::wstring& caption, const std::wstring& text) {
    if (!Quiet()) Record("error box " + Utf8FromWide(caption) + " | " + Utf8FromWide(text));
    if (fakeDuringErrorBox) fakeDuringErrorBox();
}
