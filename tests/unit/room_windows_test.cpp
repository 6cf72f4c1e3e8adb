// Room window places remembered when the connection ends.
#include <gtest/gtest.h>

#include "lobby/room_windows.h"
#include "tests/unit/lobby_fixture.h"

namespace {

// Only open windows with a place within the bounds are remembered; others keep 1, 2.
TEST(RoomWindows, OpenWindowsWithinTheBoundsAreRemembered) {
    const std::pair<int, int> places[] = {{300, 200}, {-639, -479}, {9999, 9999},  // taken
                                          {-640, 10}, {10, -480},   {-32000, -32000},
                                          {10000, 0}, {0, 10000}};
    for (std::size_t i = 0; i < std::size(places); ++i) {
        const auto [x, y] = places[i];
        ClearLobby();
        AddRoom(
            {.id = 5, .name = {}, .windowX = 1, .windowY = 2, .windowOpen = true, .window = 75});
        AddRoom({.id = 6, .name = {}, .windowX = 1, .windowY = 2, .window = 76});
        AddRoom(
            {.id = 7, .name = {}, .windowX = 1, .windowY = 2, .windowOpen = true, .window = 77});
        tournamentRooms = {
            {.id = 8, .name = {}, .windowX = 1, .windowY = 2, .windowOpen = true, .window = 78}};
        fakeWindowPlaces = {{75, places[i]}, {76, places[i]}, {78, places[i]}};  // 77 vanished
        RememberOpenRoomPlaces();
        const std::string place = i < 3 ? std::to_string(x) + " " + std::to_string(y) : "1 2";
        using R = RoomRecord;
        EXPECT_EQ(Describe(rooms, &R::windowX, &R::windowY) + "|" +
                      Describe(tournamentRooms, &R::windowX, &R::windowY),
                  place + "|1 2|1 2|" + place)
            << x << "," << y;
    }
    ClearLobby();
    ResetLobbyPortFake();
}

}  // namespace
