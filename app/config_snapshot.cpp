// Moving the remembered state in and out of config.ini.
#include "app/config_snapshot.h"

#include "session/session.h"
#include "lobby/lobby_state.h"

void TakeRememberedState(const ConfigIniContents& contents) {
    if (contents.loginPresent) {
        SetLoginFields(contents.userName, contents.password);
    }
    for (const RememberedWindowPosition& room : contents.rooms)
        AddRoom({.id = room.roomId, .name = {}, .windowX = room.left, .windowY = room.top});
    for (const RememberedWindowPosition& room : contents.tournamentRooms)
        AddTournamentRoom(
            {.id = room.roomId, .name = {}, .windowX = room.left, .windowY = room.top});
}

namespace {
std::vector<RememberedWindowPosition> Remembered(const std::vector<RoomRecord>& list,
                                                 bool firstListPending) {
    std::vector<RememberedWindowPosition> places;
    for (const RoomRecord& room : list)
        if (room.listed || firstListPending)
            places.push_back({room.id, room.windowX, room.windowY});
    return places;
}
}  // namespace

ConfigIniWriteInput CollectConfigIniInput(int mainLeft, int mainTop) {
    ConfigIniWriteInput input;
    input.mainWindowLeft = mainLeft;
    input.mainWindowTop = mainTop;
    input.loggedInUserName = loggedInUserName;
    input.loggedInPassword = loggedInPassword;
    input.rooms = Remembered(Rooms(), FirstRoomListPending);
    input.tournamentRooms = Remembered(TournamentRooms(), FirstTournamentListPending);
    return input;
}
