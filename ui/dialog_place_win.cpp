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

void OpenModalDialog(HWND dialog, int offsetX, int offsetY, int narrower, int lower) {
    RECT main = VisibleMainWindowRect();
    MoveWindow(dialog, main.left + offsetX, main.top + offsetY, main.right - main.left - narrower,
               main.bottom - main.top - lower, TRUE);
    ShowWindow(dialog, SW_SHOW);
    EnableWindow(mainWindow, FALSE);
    SetFocus(dialog);
}
