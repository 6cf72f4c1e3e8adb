// The main window's picture: title band, navy body, board picture and, once logged in,
// the welcome lines. The main window's WM_PAINT calls it.
#pragma once

#include <windows.h>

void PaintMainWindow(HWND main);
// A change of the lobby's counts: only the band the welcome lines are drawn on is painted
// again, not the whole window.
void RepaintWelcomeLines(HWND main);
