// What a sibling window tells the hub's main window (class KXLobby0). Never waits for
// long: a hub that does not answer within a few seconds is given up on.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

// Number of the registered message TavloraIntMessage in this process.
UINT HubMessage();

// WM_COPYDATA with dwData = code and these bytes plus a zero terminator; wParam is the
// sender's window. Logged as "out-copydata <ok|no-hub|timeout> <code> <escaped bytes>".
void SendToHub(HWND from, std::uint32_t code, std::string_view bytes);
// The relay form: "KXMessage," + payload.
void RelayToHub(HWND from, std::uint32_t code, std::string_view payload);
// Posts TavloraIntMessage (code, lParam). Logged as "out-notify <ok|no-hub> <code> <lparam>".
void NotifyHub(std::uint32_t code, std::int64_t lParam);
