// What the hub remembers of its siblings' room windows.
#pragma once

// When the connection ends: for every room and tournament room whose window is open, its
// current place becomes the remembered one, unless it cannot be read or lies far off the
// screen (left outside -639..9999 or top outside -479..9999, as a minimised window does).
void RememberOpenRoomPlaces();
