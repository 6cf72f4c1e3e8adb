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

TEST(RoomWindows, OpenWindowsWithinTheBoundsAreRemembered) {
    struct Case {
        const char* note;
        std::pair<int, int> place;
        int x, y;
    } cases[] = {
        {"on screen", {300, 200}, 300, 200},
        {"lowest bounds", {-639, -479}, -639, -479},
        {"highest bounds", {9999, 9999}, 9999, 9999},
        {"too far left", {-640, 10}, 1, 2},
        {"too far up", {10, -480}, 1, 2},
        {"minimised far away", {-32000, -32000}, 1, 2},
        {"too far right", {10000, 0}, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        ResetLobbyPortFake();
        ClearLobby();
        AddRoom(Room(5, true, 77));
        tournamentRooms = {Room(6, true, 78)};
        fakeWindowPlaces = {{77, c.place}, {78, c.place}};
        RememberOpenRoomPlaces();
        EXPECT_EQ(rooms[0].windowX, c.x);
        EXPECT_EQ(rooms[0].windowY, c.y);
        EXPECT_EQ(tournamentRooms[0].windowX, c.x);
    }
    ClearLobby();
}

TEST(RoomWindows, ClosedOrVanishedWindowsKeepTheirPlace) {
    ResetLobbyPortFake();
    ClearLobby();
    AddRoom(Room(5, false, 77));
    AddRoom(Room(6, true, 99));
    fakeWindowPlaces = {{77, {300, 300}}};
    RememberOpenRoomPlaces();
    EXPECT_EQ(rooms[0].windowX, 1);
    EXPECT_EQ(rooms[1].windowX, 1);
    ClearLobby();
}

}  // namespace
