// The relay to the sibling windows: WM_COPYDATA texts "KXMessage,<payload>" with the relay
// code in dwData, built from the lobby lists and sent at once. Nothing records what a
// sibling has been told; a window that opens later gets the initial replay instead.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lobby/records.h"

// The bytes of one relay message: the prefix, the payload and the terminating zero (all
// of it counts in cbData).
std::string RelayBytes(std::string_view payload);

// One batch of synchronous sends to sibling windows: one inbound message, one replay, one
// report of a sibling. A window that does not answer in time is skipped for the rest of
// the batch, so a hung sibling costs one time limit per batch, not one per send. Batches
// nest; the outermost one counts.
struct SiblingBatch {
    SiblingBatch();
    ~SiblingBatch();
    SiblingBatch(const SiblingBatch&) = delete;
    SiblingBatch& operator=(const SiblingBatch&) = delete;
};

// A relay message or a notification code sent to one window, unless the window has
// already failed to answer in this batch. False when it is skipped or does not answer.
bool SendRelayBytes(WindowRef window, std::uintptr_t code, std::string_view bytes);
bool SendCodeToSibling(WindowRef window, int code, std::intptr_t lParam);

// The window of the first room (table) with this id when it is open, else 0: the callers
// that build a payload per record build it only for a window that will take it.
WindowRef OpenRoomWindowOf(std::int32_t roomId);
WindowRef OpenTableWindowOf(std::int32_t tableId);
// To the window of the first room (table) with this id, when that window is open.
void SendToRoomWindow(std::int32_t roomId, std::uintptr_t code, std::string_view payload);
void SendToTableWindow(std::int32_t tableId, std::uintptr_t code, std::string_view payload);
// The open windows of rooms, tournament rooms, tables and tournament tables, in that order
// and each list's order.
std::vector<WindowRef> OpenChildWindows();
void SendToWindows(const std::vector<WindowRef>& windows, std::uintptr_t code,
                   std::string_view payload);
void BroadcastToChildWindows(std::uintptr_t code, std::string_view payload);
// To the KXDebug window, when there is one, as UTF-8.
void SendToDebugWindow(std::uintptr_t code, const std::wstring& text);

// --- Payloads made from the lists ---
// "<id>:<name in UTF-8>:<value>:<status>;" for every player.
std::string PlayersPayload();
// "<contact id>:<player id>:<relation>;" for every contact relation.
std::string ContactsPayload();
// One record each, as the replays and the lobby's changes relay them alike:
// "<presence id>:<player id>;"
std::string PresenceRecordText(const RoomPresenceRecord& presence);
// Values 0, 2, ..., 16 of a table, ":" between them (no ";": a table window's record).
std::string TableValuesText(const TableRecord& table);
// For a room window: the values 0, 2, ..., 16, the open flag, ";".
std::string RoomTableRecordText(const TableRecord& table, bool windowOpen);
// "<seat id>:<table id>:<player id>;" for a room window, "<seat id>:<player id>;" for a
// table window.
std::string RoomSeatRecordText(const SeatRecord& seat);
std::string TableSeatRecordText(const SeatRecord& seat);

// Every presence, table or seat of a room (of a table), one record each as above.
std::string RoomPresencesPayload(std::int32_t roomId);
std::string RoomTablesPayload(std::int32_t roomId);
std::string RoomSeatsPayload(std::int32_t roomId);
std::string TableSeatsPayload(std::int32_t tableId);

// What a new room window is told, in this order: players (always, even none), contact
// relations, the room's presences, tables and seats (each only when there is any).
void ReplayToRoomWindow(std::int32_t roomId);
// What a new table window is told: the table's values, players (always), contact
// relations and the table's seats (each only when there is any).
void ReplayToTableWindow(TableRecord table);
