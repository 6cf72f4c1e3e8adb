// How a sibling window answers what reaches it: relay texts and test commands
// (WM_COPYDATA), the hub's notification codes, and the user closing it.
#pragma once

#include <windows.h>

#include <string_view>

#include "siblings/sibling_fields.h"

// Starts what the window holds (its room or table, kept from the relay texts) and shows it.
void StartHolding(HWND window, SiblingKind kind, const SiblingIdentity& identity);

// Relay texts change what the window holds; test commands are obeyed.
void OnCopyData(HWND window, const COPYDATASTRUCT* data);
// Code 1 closes the window without a report; every code is logged and shown.
void OnHubNotification(HWND window, WPARAM code, LPARAM value);
// A room reports relay 38 "<room id>,<x>,<y>", a table posts code 36 with its id; then
// the window goes and the program ends.
void OnUserClose(HWND window);
// A chat line typed in a room or table window goes to the server through the hub
// (relay 100).
void SendChatLine(HWND window, std::string_view utf8);
// A join window's answer (1 accept, 0 decline) goes to the hub as relay 97.
void SendJoinAnswer(HWND window, int answer);
