// What the portable state machines of the hub ask of the window system. One Win32
// implementation (app/ui_port_win.cpp) acts on the window registry; the unit tests link
// a recording fake instead. Every call is made on the main window's thread.
#pragma once

#include <cstdint>
#include <string>

#include "session/window_ids.h"

enum class WebPage : int {
    Download,
    LostPassword,
    NewSignup,
    Activation,
    Contact,
    Product,
    UserEditor,
    Faq,
    Administrators,
    Cashier,
};

void UiShow(WinId window);     // ShowWindow SW_SHOW
void UiHide(WinId window);     // ShowWindow SW_HIDE
void UiRepaint(WinId window);  // InvalidateRect without erase
void UiEnable(WinId window, bool enabled);
void UiMove(WinId window, int x, int y, int width, int height);
// SendMessageW of TavloraIntMessage to one of the hub's own windows.
void UiSendCode(WinId window, int code, std::intptr_t lParam);
// PostMessageW of TavloraIntMessage to HWND_BROADCAST (every top-level window).
void UiBroadcastCode(int code, std::intptr_t lParam);
// Posts WM_CLOSE to the main window: the one way the program ends.
void UiPostClose();
// Length and text of a standard edit control (the login fields).
int UiEditLength(WinId window);
std::wstring UiEditText(WinId window);
// The language the server's account data names: every window relabelled, the siblings told.
void UiSetLanguage(int language);
// Plays a WAVE resource (1001..1005) asynchronously.
void UiPlaySound(int soundId);
// Opens a page of the web site with the current language (and `suffix` after it).
void UiOpenWebPage(WebPage page, const std::wstring& suffix);
// Starts a new connection thread (one per attempt), whose reports carry `attemptKey`.
void UiStartConnectionThread(std::uintptr_t attemptKey);
// Starts the receive loop and then the sender for the connection just made.
void UiStartTrafficThreads();
// Remembers, for every room and tournament room whose window is open, the window's
// position (within -639..9999 / -479..9999).
void UiSaveOpenRoomPositions();
// The contacts window's status bar text and presence menu checks after a login.
void UiShowOwnPresenceOnline();
// The list views after a reconnect: rooms tab selected and repainted, list selections
// cleared, scroll ranges of the room, tournament and contacts lists emptied.
void UiResetListViews();
// The contacts list rebuilt from the contact relations and the players.
void UiRefreshContacts();
// The contacts window now has this outer rectangle: remembered (config.ini key 2) when it
// lies wholly on the work area.
void UiKeepContactsPlace(int left, int top, int width, int height);
// The room list re-sorted and repainted.
void UiRefreshRoomList();
