// The press/capture protocol on real windows, for the push-type families.
#pragma once

#include <windows.h>

#include "ui/class_table.h"

// Press flag of each class's one control: 1 while the left button is held on it.
extern int pressFlags[kWindowClassCount];

// Runs the protocol for WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP and
// WM_WINDOWPOSCHANGING; on a release that keeps the press, runs the row's action after the
// capture is released. True when the message is answered here (the three mouse
// messages); WM_WINDOWPOSCHANGING still goes on to the default procedure.
bool HandlePressMessage(int row, HWND window, UINT message, LPARAM lParam, bool pressable = true);
