// The window system side of the hub's state machines.
#include <windows.h>

#include "app/globals_win.h"
#include "app/ui_port.h"

void UiShow(WinId) {}
void UiHide(WinId) {}
void UiRepaint(WinId) {}
void UiEnable(WinId, bool) {}
void UiSendCode(WinId, int, std::intptr_t) {}
void UiBroadcastCode(int code, std::intptr_t lParam) {
    PostMessageW(HWND_BROADCAST, TavloraIntMessage, static_cast<WPARAM>(code), lParam);
}
void UiPostClose() { PostMessageW(mainWindow, WM_CLOSE, 0, 0); }
int UiEditLength(WinId) { return 0; }
std::wstring UiEditText(WinId) { return std::wstring(); }
void UiPlaySound(int) {}
void UiOpenWebPage(WebPage, const std::wstring&) {}
void UiStartConnectionThread() {}
void UiStartTrafficThreads() {}
void UiSaveOpenRoomPositions() {}
void UiShowOwnPresenceOnline() {}
void UiMove(WinId, int, int, int, int) {}
void UiResetListViews() {}
void UiRefreshContacts() {}
void UiRefreshRoomList() {}
