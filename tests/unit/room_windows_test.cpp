// Room window places remembered when the connection ends.
#include <gtest/gtest.h>

#include "lobby/lobby_state.h"
#include "lobby/room_windows.h"
#include "tests/unit/fakes/lobby_port_fake.h"

namespace {

RoomRecord Room(int id, bool open, WindowRef window) {
    RoomRecord room;
    room.id = id;
    room.windowX = 1;
    room.windowY = 2;
    room.windowOpen = open;
    room.window = window;
    return room;
}

// Only open windows with a place within the bounds; others keep their place (1, 2).
TEST(RoomWindows, OpenWindowsWithinTheBoundsAreRemembered) {
    const struct {
        std::pair<int, int> place;
        int x, y;
    } cases[] = {{{300, 200}, 300, 200}, {{-639, -479}, -639, -479}, {{9999, 9999}, 9999, 9999},
                 {{-640, 10}, 1, 2},     {{10, -480}, 1, 2},         {{-32000, -32000}, 1, 2},
                 {{10000, 0}, 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.place.first << "," << c.place.second);
        ResetLobbyPortFake();
        ClearLobby();
        AddRoom(Room(5, true, 77));
        AddRoom(Room(6, false, 78));
        AddRoom(Room(7, true, 79));  // a window that vanished: its place cannot be read
        tournamentRooms = {Room(8, true, 80)};
        fakeWindowPlaces = {{77, c.place}, {78, c.place}, {80, c.place}};
        RememberOpenRoomPlaces();
        EXPECT_EQ((std::pair{rooms[0].windowX, rooms[0].windowY}), (std::pair{c.x, c.y}));
        EXPECT_EQ((std::pair{rooms[1].windowX, rooms[2].windowX}), (std::pair{1, 1}));
        EXPECT_EQ(tournamentRooms[0].windowX, c.x);
    }
    ClearLobby();
}

}  // namespace
