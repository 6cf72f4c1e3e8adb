// What the hub remembers of its siblings' room windows.
#pragma once

#include "lobby/records.h"

// Reads the screen position of a sibling window; false when it cannot (a window that has
// gone). The Win32 side passes GetWindowRect; tests pass a table.
using WindowPlaceReader = bool (*)(WindowRef window, int& left, int& top);

// When the connection ends: for every room and tournament room whose window is open, its
// current place becomes the remembered one, unless it lies far off the screen (left
// outside -639..9999 or top outside -479..9999, as a minimised window does).
void RememberOpenRoomPlaces(WindowPlaceReader readPlace);
