// How a sibling window answers what reaches it: relay texts and test commands
// (WM_COPYDATA), the hub's notification codes, and the user closing it.
#pragma once

#include <windows.h>

void OnCopyData(HWND window, const COPYDATASTRUCT* data);
// Code 1 closes the window without a report; every code is logged and shown.
void OnHubNotification(HWND window, WPARAM code, LPARAM value);
// A room reports relay 38 "<room id>,<x>,<y>", a table posts code 36 with its id; then
// the window goes and the program ends.
void OnUserClose(HWND window);
