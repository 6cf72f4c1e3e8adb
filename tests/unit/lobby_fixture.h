// Shared set-up of the lobby tests: the hub's routes installed, every list empty, the
// lobby port and the UI port recording, connected, own player 1001.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/inbound_routes.h"
#include "lobby/join_requests.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "lobby/sibling_reports.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/text_convert.h"
#include "settings/paths.h"
#include "settings/settings.h"
#include "tests/unit/fakes/lobby_port_fake.h"
#include "tests/unit/fakes/ui_port_fake.h"

using Lines = std::vector<std::string>;

inline std::vector<std::string> DrainOutboundQueue() {
    std::vector<std::string> messages;
    for (std::string text = PopOutbound(); !text.empty(); text = PopOutbound())
        messages.push_back(text);
    return messages;
}

// The line the fake records for one relay message.
inline std::string Relay(WindowRef window, int code, const std::string& payload) {
    return "copydata " + std::to_string(window) + " " + std::to_string(code) + " KXMessage," +
           payload + "\\0";
}

inline std::string Field(std::intmax_t number) {
    return std::to_string(number);
}
inline std::string Field(const std::wstring& text) {
    return Utf8FromWide(text);
}
// A list in one line, so one comparison checks every record: the given fields of each
// record parted by " ", records parted by "|".
template <typename Record, typename... Type>
std::string Describe(const std::vector<Record>& list, Type Record::*... fields) {
    std::string text;
    for (std::size_t i = 0; i < list.size(); ++i) {
        int n = 0;
        text += i ? "|" : "";
        ((text += (n++ ? " " : "") + Field(list[i].*fields)), ...);
    }
    return text;
}
inline std::string PlayerList() {  // id name value status
    using P = PlayerRecord;
    return Describe(Players(), &P::id, &P::name, &P::value, &P::status);
}
inline void SetJoinRequests(const std::vector<JoinRecord>& requests) {
    ClearJoinRequests();
    for (const JoinRecord& join : requests)
        AddJoinRequest(join);
}
inline std::string JoinList() {  // id open window
    using J = JoinRecord;
    return Describe(JoinRequests(), &J::joinId, &J::windowOpen, &J::window);
}
// The ids of every list, each room's users after its id: what a removal took.
inline std::string LobbyIds() {
    std::string tableIds;
    for (const TableRecord& table : Tables())
        tableIds += (tableIds.empty() ? "" : "|") + std::to_string(table.id());
    return "players=" + Describe(Players(), &PlayerRecord::id) +
           " contacts=" + Describe(ContactRelations(), &ContactRecord::contactId) +
           " presences=" + Describe(RoomPresences(), &RoomPresenceRecord::presenceId) +
           " rooms=" + Describe(Rooms(), &RoomRecord::id, &RoomRecord::users) +
           " tables=" + tableIds + " seats=" + Describe(Seats(), &SeatRecord::seatId) +
           " joins=" + Describe(JoinRequests(), &JoinRecord::joinId);
}

class LobbyTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallHubInboundRoutes();
        ResetSettingsToDefaults();
        ClearLobby();
        ResetLobbyPortFake();
        ResetUiFake();
        DrainOutboundQueue();
        MarkConnected();
        NoteToAcknowledge(0);
        SetOwnPlayerId(1001);
        SetOwnPresence(PRESENCE_ONLINE);
        SetProgramFolder(L"C:\\Tavlora\\");
        FormPaths(L"C:\\Users\\Ann\\Documents", L"C:\\Users\\Ann\\AppData\\Local");
    }
    void TearDown() override {
        EXPECT_TRUE(LobbyIndexesExact()) << "no list was left with a stale index";
        LobbyTest::SetUp();  // everything back, then disconnected
        DropConnection();
        SetOwnPlayerId(0);
        SetOwnPresence(PRESENCE_NOT_CONNECTED);
    }

    // One server message "<type>,<fields>,!" through dispatch, numbered in turn.
    void Deliver(const std::string& typeAndFields) {
        DispatchEntry(std::to_string(++sequence) + "," + typeAndFields + "!");
    }
    // A WM_COPYDATA as a sibling sends it: the text and its zero, or its first `size` bytes.
    static void CopyData(std::uintptr_t code, std::string text,
                         std::size_t size = std::string::npos) {
        text += '\0';
        OnSiblingCopyData(code, text.data(), std::min(size, text.size()));
    }
    // Deliver, with only what it makes the lobby port do recorded.
    Lines CallsOf(const std::string& typeAndFields) {
        lobbyCalls.clear();
        Deliver(typeAndFields);
        return lobbyCalls;
    }
    Lines RelaysOf(const std::string& typeAndFields) {
        lobbyCalls.clear();
        Deliver(typeAndFields);
        return LobbyCallsStartingWith("copydata");
    }

    // A room or table whose window is open on `window`, as a launch leaves it.
    void OpenRoom(std::int32_t id, WindowRef window) { SetRoomWindowAt(FirstRoom(id), window); }
    void OpenTable(std::int32_t id, WindowRef window) { SetTableWindowAt(FirstTable(id), window); }
    const RoomRecord& Room(std::int32_t id) {
        std::size_t at = FirstRoom(id);
        EXPECT_NE(at, kNotFound) << "room " << id;
        return Rooms().at(at);
    }

    int sequence = 0;
};
