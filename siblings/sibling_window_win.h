// The one top-level window of a sibling program: what it holds (its room or table) as
// text at the top, below it a list of readable lines (the decoded command line, then
// every message received), and in room and table windows a chat line with its Send
// button; and its window procedure.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

// Registers the class and creates the window (hidden), about 560 x 460, at (x, y)
// when hasPosition, else where the system puts new windows.
HWND CreateSiblingWindow(HINSTANCE instance, const std::wstring& className,
                         const std::wstring& title, bool hasPosition, int x, int y);

// Adds a UTF-8 line at the bottom of the list and scrolls to it.
void ShowLine(std::string_view utf8);
// Replaces the text at the top with these UTF-8 lines.
void ShowHeld(const std::vector<std::string>& lines);
