// The hub around the fuzz targets that drive it (inbound, relay): a fresh start for every
// input with the recording fakes in place of the window system, sibling windows opened as
// the user would open them, everything an input made freed before it ends, and the
// properties the lobby keeps after every step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/inbound_routes.h"
#include "fuzz/fuzz_check.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/link.h"
#include "net/queues.h"
#include "session/news.h"
#include "session/session.h"
#include "settings/paths.h"
#include "settings/settings.h"
#include "tests/unit/fakes/lobby_port_fake.h"
#include "tests/unit/fakes/ui_port_fake.h"

// Sibling windows are numbered from here: room windows by room id, table windows by table
// id, in ranges of their own.
inline constexpr WindowRef kRoomWindows = WindowRef{1} << 40;
inline constexpr WindowRef kTableWindows = WindowRef{2} << 40;

// Frees what an input made (libFuzzer checks for leaks whenever an input ends with more
// allocations than it freed) and leaves the hub as start-up does, disconnected.
inline void ReleaseHub() {
    while (InboundWaiting())
        PopInbound();
    ClearOutbound();
    ResetSession(false);
    ClearLobby();
    ClearNews();
    ResetLobbyPortFake();
    fakeLobbyQuiet = true;  // counted, not recorded: nothing grows with the input
    ResetUiFake();
    ClearLanguagePortCalls();
    ClearPostedCodes();
}

inline void StartHub() {
    static const bool routesInstalled = (InstallHubInboundRoutes(), true);
    (void)routesInstalled;
    ReleaseHub();
    ResetSettingsToDefaults();
    SetProgramFolder(L"C:\\Tavlora\\");
    FormPaths(L"C:\\Users\\Ann\\Documents", L"C:\\Users\\Ann\\AppData\\Local");
    SetOwnPlayerId(0);
    ResetAcknowledgements();
    SetOwnPresence(PRESENCE_NOT_CONNECTED);
}

// Every room and table without a window gets one, as entering the room or opening the
// table would, and a later launch of its program finds it.
inline void OpenEveryWindow() {
    for (std::size_t i = 0; i < Rooms().size(); ++i) {
        if (Rooms()[i].windowOpen) continue;
        SetRoomWindowAt(i, kRoomWindows + static_cast<std::uint32_t>(Rooms()[i].id));
        FakeWindowFor(L"KXLobby" + std::to_wstring(Rooms()[i].id), Rooms()[i].window);
    }
    for (std::size_t i = 0; i < Tables().size(); ++i) {
        if (Tables()[i].windowOpen) continue;
        SetTableWindowAt(i, kTableWindows + static_cast<std::uint32_t>(Tables()[i].id()));
        FakeWindowFor(L"KXTable" + std::to_wstring(Tables()[i].id()), Tables()[i].window);
    }
}

// The lobby's indexes are exactly what indexing the lists afresh gives, and every lookup
// answers as a walk of the list would.
inline void CheckLobbyIndexes() {
    FUZZ_CHECK(LobbyIndexesExact());
    const std::vector<RoomRecord>& rooms = Rooms();
    const std::vector<PlayerRecord>& players = Players();
    const std::vector<RoomPresenceRecord>& roomPresences = RoomPresences();
    const std::vector<TableRecord>& tables = Tables();
    const std::vector<SeatRecord>& seats = Seats();
    const std::vector<ContactRecord>& contactRelations = ContactRelations();
    for (std::size_t i = 0; i < rooms.size(); ++i) {
        const std::size_t first = FirstRoom(rooms[i].id);
        FUZZ_CHECK(first <= i && rooms[first].id == rooms[i].id);
        const std::size_t last = LastRoom(rooms[i].id);
        FUZZ_CHECK(last >= i && last < rooms.size() && rooms[last].id == rooms[i].id);
    }
    for (std::size_t i = 0; i < players.size(); ++i) {
        const std::size_t first = FirstPlayer(players[i].id);
        FUZZ_CHECK(first <= i && players[first].id == players[i].id);
    }
    for (std::size_t i = 0; i < roomPresences.size(); ++i) {
        const std::size_t first = FirstPresence(roomPresences[i].presenceId);
        FUZZ_CHECK(first <= i && roomPresences[first].presenceId == roomPresences[i].presenceId);
    }
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const std::size_t first = FirstTable(tables[i].id());
        FUZZ_CHECK(first <= i && tables[first].id() == tables[i].id());
    }
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const std::size_t first = FirstSeat(seats[i].seatId);
        FUZZ_CHECK(first <= i && seats[first].seatId == seats[i].seatId);
    }
    for (std::size_t i = 0; i < contactRelations.size(); ++i) {
        const std::size_t first = FirstContact(contactRelations[i].contactId);
        FUZZ_CHECK(first <= i &&
                   contactRelations[first].contactId == contactRelations[i].contactId);
    }
}
