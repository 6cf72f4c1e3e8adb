// Registration of the hub's 150 window classes.
#pragma once

#include <windows.h>

// Registers every class of kWindowClasses in order: KXLobby0 with `mainWindowProcedure`,
// every other class with a procedure of its own. False when any registration failed
// (the hub cannot build its windows then).
bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure);
