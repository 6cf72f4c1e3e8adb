// The one top-level window of a sibling program: a list of readable lines (the
// decoded command line, then every message received), and its window procedure.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// Registers the class and creates the window (hidden), about 480 x 360, at (x, y)
// when hasPosition, else where the system puts new windows.
HWND CreateSiblingWindow(HINSTANCE instance, const std::wstring& className,
                         const std::wstring& title, bool hasPosition, int x, int y);

// Adds a UTF-8 line at the bottom of the list and scrolls to it.
void ShowLine(std::string_view utf8);
