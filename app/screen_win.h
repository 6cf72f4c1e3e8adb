// The screen as the hub's placement sees it.
#pragma once

#include <windows.h>

#include "app/placement.h"

// The desktop's client rectangle corrected by the taskbar's position.
ScreenRect MainWorkArea();
// The outer size that gives `window` a 640 x 480 client area.
OuterSize MainWindowOuterSize(HWND window);
// The localised "Screen resolution too small" message box (no owner, OK only).
void ShowScreenTooSmall();
// The localised "cannot create its windows" message box (no owner, OK only).
void ShowStartFailed();
