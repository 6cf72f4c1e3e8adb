// The window registry: every window of the hub, created once by the main window's
// WM_CREATE and kept for the whole run. Other code names windows by WinId.
#pragma once

#include <windows.h>

#include "session/window_ids.h"

// Creates every window of the registry table in order, with `main` (the main window
// being created; the global handle is not set yet) as parent or owner of the top group.
// False as soon as one cannot be created.
bool CreateWindowRegistry(HWND main);

// Handle of a registry window; null before the registry exists.
HWND WindowHandle(WinId id);
// The registry window with this handle; WinId::Count for any other window.
WinId WindowIdOf(HWND window);

// The standard edit procedure that a subclassed edit (the two login fields, the
// add-contact field) forwards to.
WNDPROC PreviousEditProcedure(WinId edit);
