// The window system side of the hub's state machines, acting on the window registry.
#include <windows.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <commctrl.h>

#include "net/hub_handles_win.h"
#include "session/session.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "app/placement.h"
#include "app/screen_win.h"
#include "app/web_addresses.h"
#include "lobby/presence.h"
#include "lobby/room_list.h"
#include "lobby/room_windows.h"
#include "net/connection_thread.h"
#include "net/link.h"
#include "net/notification_codes.h"
#include "net/traffic.h"
#include "ui/button_actions_win.h"
#include "ui/contacts_menu_win.h"
#include "ui/contacts_window_win.h"
#include "ui/contacts_list.h"
#include "ui/list_scroll_win.h"
#include "ui/registry_win.h"
#include "ui/language.h"
#include "ui/texts.h"

namespace {

template <void (*Body)()>
DWORD WINAPI ThreadEntry(LPVOID) {
    Body();
    return 0;
}

DWORD WINAPI ConnectionThreadEntry(LPVOID attemptKey) {
    ConnectionThread(reinterpret_cast<std::uintptr_t>(attemptKey));
    return 0;
}

// False when the thread could not be created. The handle is not kept: the thread reports
// by posting to the main window.
bool StartThread(LPTHREAD_START_ROUTINE entry, LPVOID argument = nullptr) {
    HANDLE thread = CreateThread(nullptr, 0, entry, argument, 0, nullptr);
    if (thread == nullptr) return false;
    CloseHandle(thread);
    return true;
}

}  // namespace

void UiShow(WinId window) {
    ShowWindow(WindowHandle(window), SW_SHOW);
}
void UiHide(WinId window) {
    ShowWindow(WindowHandle(window), SW_HIDE);
}
void UiRepaint(WinId window) {
    InvalidateRect(WindowHandle(window), nullptr, FALSE);
}
void UiEnable(WinId window, bool enabled) {
    EnableWindow(WindowHandle(window), enabled);
}

void UiMove(WinId window, int x, int y, int width, int height) {
    MoveWindow(WindowHandle(window), x, y, width, height, TRUE);
}

void UiSendCode(WinId window, int code, std::intptr_t lParam) {
    SendMessageW(WindowHandle(window), TavloraIntMessage, static_cast<WPARAM>(code), lParam);
}

void UiBroadcastCode(int code, std::intptr_t lParam) {
    PostMessageW(HWND_BROADCAST, TavloraIntMessage, static_cast<WPARAM>(code), lParam);
}

void UiPostClose() {
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

int UiEditLength(WinId window) {
    return GetWindowTextLengthW(WindowHandle(window));
}

std::wstring UiEditText(WinId window) {
    HWND edit = WindowHandle(window);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
    int length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void UiPlaySound(int soundId) {
    PlaySoundW(MAKEINTRESOURCEW(soundId), programInstance, SND_RESOURCE | SND_ASYNC);
}

void UiSetLanguage(int language) {
    SetLanguage(language);
}

void UiOpenWebPage(WebPage page, const std::wstring& suffix) {
    std::wstring address = WebAddress(page, language) + suffix;
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOW);
}

void UiStartConnectionThread(std::uintptr_t attemptKey) {
    // Without the thread no report would ever come: the attempt fails at once instead.
    if (!StartThread(ConnectionThreadEntry, reinterpret_cast<LPVOID>(attemptKey)))
        PostToMainWindow(NC_NO_CONNECTION, attemptKey);
}

void UiStartTrafficThreads() {
    // A connection that cannot carry traffic is lost; a started thread ends with it.
    if (!StartThread(ThreadEntry<ReceiveLoop>) || !StartThread(ThreadEntry<SenderThread>))
        PostToMainWindow(NC_CONNECTION_LOST);
}

namespace {

void ResetVerticalScroll(WinId list, int page) {
    SetListRows(WindowHandle(list), 0, page);
}

}  // namespace

void UiSaveOpenRoomPositions() {
    RememberOpenRoomPlaces();
}

void UiShowOwnPresenceOnline() {
    ShowOwnPresenceInStatusBar(false);
    RefreshContactsMenuChecks();
}

void UiResetListViews() {
    SelectMainTab(1);
    UiRepaint(WinId::Tabs);
    ResetVerticalScroll(WinId::RoomBody, kListPageRows);
    ResetVerticalScroll(WinId::TournamentBody, kListPageRows);
    RECT contacts{};
    GetClientRect(WindowHandle(WinId::ContactsList), &contacts);
    ResetVerticalScroll(WinId::ContactsList, contacts.bottom / kContactRowHeight);
    ClearContactsList();
    RefreshContactsMenuChecks();  // the own presence is back to none
}

void UiRefreshContacts() {
    RefreshContactsList();
}

void UiKeepContactsPlace(int left, int top, int width, int height) {
    const ContactsPlace place{left, top, width, height};
    if (LiesOnWorkArea(place, MainWorkArea())) SetContactsRect(place);
}
void UiRefreshRoomList() {
    RefreshRoomList();
}
