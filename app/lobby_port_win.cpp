// The lobby port on Win32: sibling programs started with ShellExecuteExW, their windows
// found by class and reached with WM_COPYDATA and TavloraIntMessage, and the room list,
// "Enter room" and the main window of the registry.
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/pacing.h"
#include "lobby/presence.h"
#include "lobby/room_list.h"
#include "net/hub_handles_win.h"
#include "res/resource_ids.h"
#include "session/ui_port.h"
#include "settings/settings.h"
#include "ui/contacts_menu_win.h"
#include "ui/contacts_window_win.h"
#include "ui/list_scroll_win.h"
#include "ui/main_paint_win.h"
#include "ui/registry_win.h"
#include "ui/texts.h"

namespace {

// The main window and the contacts list follow the lobby's changes at most every kPaceMs.
constexpr UINT kPaceMs = 250;
constexpr UINT_PTR kFirstPaceTimer = 0x4C50;  // the main window's timer ids from here

enum PacedView : int { PACED_MAIN, PACED_CONTACTS, PACED_COUNT };

Pace paces[PACED_COUNT];

void ShowPacedView(int view) {
    if (view == PACED_MAIN)
        RepaintWelcomeLines(mainWindow);
    else
        UiRefreshContacts();
}

void CALLBACK PaceEnded(HWND window, UINT, UINT_PTR timer, DWORD) {
    const int view = static_cast<int>(timer - kFirstPaceTimer);
    if (view < 0 || view >= PACED_COUNT) return;
    if (PaceIntervalEnded(paces[view]))
        ShowPacedView(view);  // the timer goes on for the next interval
    else
        KillTimer(window, timer);
}

void Paced(int view) {
    if (!PaceChange(paces[view])) return;
    ShowPacedView(view);
    if (mainWindow != nullptr && SetTimer(mainWindow, kFirstPaceTimer + view, kPaceMs, PaceEnded))
        PaceTimerStarted(paces[view]);
}

// The online sound lasts half a second.
constexpr ULONGLONG kOnlineSoundMs = 500;
SoundPace onlineSound;

// A sibling that takes longer than this to take a synchronous message is treated as hung
// for the rest of the batch (the lobby keeps the count).
constexpr UINT kSiblingSendLimitMs = 2000;

void ShowOrHide(WinId window, bool shown) {
    if (shown)
        UiShow(window);
    else
        UiHide(window);
}

HWND Window(WindowRef window) {
    return reinterpret_cast<HWND>(window);
}

HANDLE Process(ProcessRef process) {
    return reinterpret_cast<HANDLE>(process);
}

}  // namespace

ProcessRef SiblingStart(const std::wstring& program, const std::wstring& parameters, int showMode) {
    SHELLEXECUTEINFOW launch{};
    launch.cbSize = sizeof launch;
    launch.fMask = SEE_MASK_NOCLOSEPROCESS;
    launch.lpVerb = L"open";
    launch.lpFile = program.c_str();
    launch.lpParameters = parameters.c_str();
    launch.nShow = showMode;
    // A failed start leaves hProcess empty; the window search then finds nothing.
    ShellExecuteExW(&launch);
    return reinterpret_cast<ProcessRef>(launch.hProcess);
}

// Under Wine 8 each call leaves the hub one handle (the child's idle event) that only
// Wine holds the value of: one per launch, measured; Windows leaves none.
void SiblingWaitUntilIdle(ProcessRef process, int milliseconds) {
    if (process != 0) WaitForInputIdle(Process(process), static_cast<DWORD>(milliseconds));
}

void SiblingCloseProcess(ProcessRef process) {
    if (process != 0) CloseHandle(Process(process));
}

WindowRef SiblingFindWindow(const std::wstring& className) {
    return reinterpret_cast<WindowRef>(FindWindowW(className.c_str(), nullptr));
}

WindowRef SiblingFindOwnedWindow(ProcessRef process, const std::wstring& className) {
    if (process == 0) return 0;
    const DWORD owner = GetProcessId(Process(process));
    if (owner == 0) return 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr);
         window != nullptr; window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) {
        DWORD windowOwner = 0;
        GetWindowThreadProcessId(window, &windowOwner);
        if (windowOwner == owner) return reinterpret_cast<WindowRef>(window);
    }
    return 0;
}

bool SiblingSendCopyData(WindowRef window, std::uintptr_t code, std::string_view bytes) {
    COPYDATASTRUCT copy{};
    copy.dwData = code;
    copy.cbData = static_cast<DWORD>(bytes.size());
    copy.lpData = const_cast<char*>(bytes.data());
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Window(window), WM_COPYDATA, reinterpret_cast<WPARAM>(mainWindow),
                               reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG,
                               kSiblingSendLimitMs, &result) != 0;
}

bool SiblingSendCode(WindowRef window, int code, std::intptr_t lParam) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(Window(window), TavloraIntMessage, static_cast<WPARAM>(code),
                               static_cast<LPARAM>(lParam), SMTO_ABORTIFHUNG, kSiblingSendLimitMs,
                               &result) != 0;
}

void SiblingPostCode(WindowRef window, int code, std::intptr_t lParam) {
    PostMessageW(Window(window), TavloraIntMessage, static_cast<WPARAM>(code),
                 static_cast<LPARAM>(lParam));
}

void SiblingToFront(WindowRef window) {
    SetForegroundWindow(Window(window));
}

bool SiblingWindowPlace(WindowRef window, int& left, int& top) {
    RECT place{};
    if (!GetWindowRect(Window(window), &place)) return false;
    left = place.left;
    top = place.top;
    return true;
}

void SiblingPause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

void LobbySetRoomListRows(int rows) {
    SetListRows(WindowHandle(WinId::RoomBody), rows, kListPageRows);
}

void LobbyRepaintRoomList() {
    UiRepaint(WinId::RoomBody);
}

void LobbyRepaintRoomRows(int first, int last) {
    RepaintListRows(WindowHandle(WinId::RoomBody), first, last);
}

void LobbyRepaintMain() {
    Paced(PACED_MAIN);
}

void LobbyShowEnterRoom(bool shown) {
    ShowOrHide(WinId::EnterRoom, shown);
}

void LobbyRefreshContacts() {
    Paced(PACED_CONTACTS);
}

void LobbyContactCameOnline() {
    // This sound is the window's own and does not ask the sound setting.
    if (!IsWindowVisible(WindowHandle(WinId::Contacts))) return;
    if (!SoundMayStart(onlineSound, GetTickCount64(), kOnlineSoundMs)) return;
    UiPlaySound(SOUND_CONTACT_ONLINE);
}

void LobbyShowAddContactFailure(int resultCode) {
    ShowAddContactFailure(resultCode);
}

void LobbyRefreshTournamentList() {
    SetListRows(WindowHandle(WinId::TournamentBody), ListedCount(TournamentRooms()), kListPageRows);
    UiRepaint(WinId::TournamentBody);
}

void LobbyShowEnterTournament(bool shown) {
    ShowOrHide(WinId::EnterTournament, shown);
}

void LobbyShowOwnName() {
    UiRepaint(WinId::CashierBody);
}

void LobbyShowOwnPresence() {
    ShowOwnPresenceInStatusBar(true);
    RefreshContactsMenuChecks();
}

void LobbyShowErrorBox(const std::wstring& caption, const std::wstring& text) {
    MessageBoxW(WindowHandle(WinId::Contacts), text.c_str(), caption.c_str(),
                MB_ICONERROR | MB_TOPMOST);
}
