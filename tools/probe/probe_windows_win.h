// Finding and describing other processes' windows for the window probe.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

std::wstring ClassOf(HWND window);

// A target argument: "0x<handle>", a top-level class, or a path
// "<top-level class>/<descendant class>[#index]/..." (see ParseTargetPath).
// nullptr when nothing matches (or the text is malformed).
HWND FindTarget(std::string_view target);

// Every window of the process: its top-level windows (owned popups included) in
// z-order, each followed by all its descendants in EnumChildWindows order.
std::vector<HWND> WindowsOfProcess(DWORD processId);

// One JSON object (no line end) with what `list` prints about a window.
std::string DescribeWindow(HWND window);

// The text the window itself reports (WM_GETTEXT, bounded wait); a hung window gives
// the text the system keeps for it.
std::wstring TextOf(HWND window);
