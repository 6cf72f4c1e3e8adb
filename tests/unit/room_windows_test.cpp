// Room window places remembered when the connection ends.
#include <gtest/gtest.h>

#include "lobby/room_windows.h"
#include "tests/unit/lobby_fixture.h"

namespace {

using RoomWindows = LobbyTest;

// Only open windows with a place within the bounds are remembered; the others keep 1, 2.
TEST_F(RoomWindows, OpenWindowsWithinTheBoundsAreRemembered) {
    const std::pair<int, int> places[] = {{-639, -479}, {9999, 9999}, {-640, 10}, {10, -480},
                                          {10000, 0},   {0, 10000},   {300, 200}};
    for (int id = 1; id <= 8; ++id) {
        AddRoom({.id = id,
                 .name = {},
                 .windowX = 1,
                 .windowY = 2,
                 .windowOpen = id != 7,
                 .window = static_cast<WindowRef>(70 + id)});
        if (id <= 7) fakeWindowPlaces[70 + id] = places[id - 1];  // 8 vanished
    }
    tournamentRooms = {
        {.id = 9, .name = {}, .windowX = 1, .windowY = 2, .windowOpen = true, .window = 77}};
    RememberOpenRoomPlaces();
    using R = RoomRecord;
    EXPECT_EQ(Describe(rooms, &R::windowX, &R::windowY) + "|" +
                  Describe(tournamentRooms, &R::windowX, &R::windowY),
              "-639 -479|9999 9999|1 2|1 2|1 2|1 2|1 2|1 2|300 200");
}

}  // namespace
