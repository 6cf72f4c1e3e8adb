// The window procedure of the main window (class KXLobby0).
#pragma once

#include <windows.h>

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
