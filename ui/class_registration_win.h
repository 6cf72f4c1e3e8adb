// Registration of the hub's 150 window classes.
#pragma once

#include <windows.h>

// Registers every class of kWindowClasses in order: KXLobby0 with `mainWindowProcedure`,
// every other class with a procedure of its own. Results are not tested.
void RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure);
