// Placing a dialog over the main window.
#pragma once

#include <windows.h>

// The main window's rectangle; a minimised main window (left edge below -1000) is
// restored first, so that the dialog lands over a visible main window.
RECT VisibleMainWindowRect();
// Opens a modal dialog over the main window: at the main window's outer top-left plus the
// offset, as large as the main window less `narrower` and `lower`; shown, the main window
// disabled, the dialog focused.
void OpenModalDialog(HWND dialog, int offsetX, int offsetY, int narrower, int lower);
