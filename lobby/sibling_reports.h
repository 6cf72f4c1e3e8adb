// What the sibling windows tell the hub: relay texts by WM_COPYDATA and the notification
// codes 29 (room window gone), 31 (open a table) and 36 (table window gone). The main
// window procedure hands them here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// A relay text from a sibling: its code and the text after "KXMessage,".
struct RelayReport {
    std::uintptr_t code = 0;
    std::string_view rest;
};

// The framing of a WM_COPYDATA from any process: `size` bytes at `data` (cbData and
// lpData), never read beyond. The text ends at the first zero byte within them, or is all
// of them; it must begin with "KXMessage," and have something after it, and the code must
// be one the hub takes (38, 97, 99 or 100). Nothing else about the text is checked.
bool ReadRelayReport(std::uintptr_t code, const void* data, std::size_t size, RelayReport& report);

// WM_COPYDATA to the main window; taken only while connected. Relay 38 (a room window
// closed: "<room id>,<x>,<y>") forgets the window, keeps its place (both below 10000),
// tells the server "38,<room id>,!" and closes the room's table and join windows;
// relay 97 (a join window's "<join id>:<answer>") tells the server "103,<join id>:<answer>,!"
// when that request's window is open and forgets the request; relay 99 (a player id) asks
// for a conversation with that player; relay 100 goes to the server as it is.
void OnSiblingCopyData(std::uintptr_t code, const void* data, std::size_t size);

// Code 29: every room with this id is marked closed; a selected one is deselected.
void OnRoomWindowGone(std::intptr_t roomId);
// Code 31: every table with this id opens its window unless it is open, and its room's
// window hears "<table id>:<0 already open | 1 failed | 2 opened>" (relay 39).
void OnTableWindowRequested(std::intptr_t tableId);
// Code 36: the first table with this id, when open, is marked closed, its room's windows
// get code 38 with the table id, and the server is told "112,<table id>,!".
void OnTableWindowGone(std::intptr_t tableId);

// Codes 29, 31 and 36 as the main window hears them at `nowMs` (a millisecond clock).
// Each counts against the window it names: 29 the room's, 31 the window of the table's
// room, 36 the table's; reports naming no open window count together. Within the
// bound of lobby/pacing.h it is handled as above; over it, it is dropped, and the first
// one dropped in a second tells KXDebug.
void OnSiblingReport(int code, std::intptr_t id, std::uint64_t nowMs);
