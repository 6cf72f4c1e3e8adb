// Work area, outer size and the screen-too-small message.
#include "app/screen_win.h"

#include <shellapi.h>

#include "ui/texts.h"

ScreenRect MainWorkArea() {
    RECT desktop{};
    GetClientRect(GetDesktopWindow(), &desktop);
    APPBARDATA bar{};
    bar.cbSize = sizeof bar;
    bar.hWnd = GetDesktopWindow();
    if (!SHAppBarMessage(ABM_GETTASKBARPOS, &bar)) bar.rc = RECT{};  // no taskbar
    return WorkAreaFrom({desktop.left, desktop.top, desktop.right, desktop.bottom},
                        {bar.rc.left, bar.rc.top, bar.rc.right, bar.rc.bottom});
}

OuterSize MainWindowOuterSize(HWND window) {
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    return MainOuterSize(outer.right - outer.left, outer.bottom - outer.top,
                         client.right - client.left, client.bottom - client.top);
}

void ShowStartFailed() {
    MessageBoxW(nullptr, Text(TextId::StartFailedText).c_str(),
                Text(TextId::ScreenTooSmallCaption).c_str(), MB_OK | MB_ICONERROR);
}

void ShowScreenTooSmall() {
    MessageBoxW(nullptr, Text(TextId::ScreenTooSmallText).c_str(),
                Text(TextId::ScreenTooSmallCaption).c_str(), MB_OK);
}
