// Remembered places of room windows.
#include "lobby/room_windows.h"

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"

namespace {

bool PlausiblePlace(int left, int top) {
    return left >= -639 && left <= 9999 && top >= -479 && top <= 9999;
}

void Remember(std::vector<RoomRecord>& list) {
    for (RoomRecord& room : list) {
        if (!room.windowOpen) continue;
        int left = 0, top = 0;
        if (SiblingWindowPlace(room.window, left, top) && PlausiblePlace(left, top)) {
            room.windowX = left;
            room.windowY = top;
        }
    }
}

}  // namespace

void RememberOpenRoomPlaces() {
    Remember(rooms);
    Remember(tournamentRooms);
}
