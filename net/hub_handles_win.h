// Process-wide Win32 handles shared by the hub's window code.
#pragma once

#include <windows.h>

extern HINSTANCE programInstance;  // set first thing in the entry point
extern HWND mainWindow;            // KXLobby0, set when CreateWindowExW returns
void SetProgramInstance(HINSTANCE instance);
// The window the network threads post their notifications to.
void SetMainWindow(HWND window);
// Number of the registered message TavloraIntMessage, registered before the entry point.
extern const UINT TavloraIntMessage;
