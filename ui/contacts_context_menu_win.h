// The contacts list's context menu, as the list opens it.
#pragma once

#include <windows.h>

// Opens the menu for the context contact at list client point (x, y).
void OpenContextMenu(HWND list, int clientX, int clientY);
