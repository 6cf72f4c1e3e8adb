// The lists' standard scroll bars, kept as pictures between non-client paints.
#pragma once

#include <windows.h>

// Answers WM_NCPAINT of a list window whose only non-client part is its vertical scroll
// bar. Drawing that bar costs the system far more than drawing the list itself (under
// Wine about 4.5 ms, a third of a whole main-window repaint), while it looks different
// only when its range, page, position, pressed parts or the system colours change. So the
// bar is drawn by the system once per look and its picture kept; a paint of the same look
// copies the picture back.
LRESULT PaintScrollBarFromPicture(HWND window, WPARAM wParam, LPARAM lParam);

// Drops the kept picture of `window` (on WM_THEMECHANGED, or when the window goes).
void ForgetScrollBarPicture(HWND window);
