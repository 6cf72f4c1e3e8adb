// Placing a dialog over the main window.
#include "ui/dialog_place_win.h"

#include "net/hub_handles_win.h"

RECT VisibleMainWindowRect() {
    RECT rect{};
    GetWindowRect(mainWindow, &rect);
    if (rect.left < -1000) {
        ShowWindow(mainWindow, SW_RESTORE);
        GetWindowRect(mainWindow, &rect);
    }
    return rect;
}
