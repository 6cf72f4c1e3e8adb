// The lists' standard scroll bars, kept as pictures between non-client paints.
#pragma once

#include <windows.h>

// Answers the messages of a list window that concern its vertical scroll bar, its only
// non-client part: true when `message` was answered, with the answer in `result`.
//
// Drawing that bar costs the system far more than drawing the list itself (under Wine
// about 4.5 ms, a third of a whole main-window repaint), while it looks different only
// when its range, page, position, pressed parts or the system colours change. So a
// non-client paint has the system draw the bar once per look and keeps its picture; a
// paint of the same look copies the picture back. A theme change or the window's end
// drops the picture (and goes on to the window's own handling).
bool ScrollBarPictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result);
