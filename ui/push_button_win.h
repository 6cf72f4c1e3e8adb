// The protocol and painting every push-type control shares: the press/capture protocol
// while `pressable`, and `paint` for WM_PAINT.
#pragma once

#include <windows.h>

#include "ui/press_win.h"

template <typename Paint>
LRESULT PushButton(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam, Paint paint,
                   bool pressable = true) {
    if (HandlePressMessage(row, window, message, lParam, pressable)) return 0;
    if (message == WM_PAINT) {
        paint();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
