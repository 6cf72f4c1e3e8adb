// Remembered places of room windows.
#include "lobby/room_windows.h"

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"

namespace {

bool PlausiblePlace(int left, int top) {
    return left >= -639 && left <= 9999 && top >= -479 && top <= 9999;
}

void Remember(const std::vector<RoomRecord>& list,
              void (*setPlace)(std::size_t, std::int32_t, std::int32_t)) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!list[i].windowOpen) continue;
        int left = 0, top = 0;
        if (SiblingWindowPlace(list[i].window, left, top) && PlausiblePlace(left, top))
            setPlace(i, left, top);
    }
}

}  // namespace

void RememberOpenRoomPlaces() {
    Remember(Rooms(), SetRoomPlaceAt);
    Remember(TournamentRooms(), SetTournamentPlaceAt);
}
