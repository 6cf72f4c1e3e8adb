// The connection thread: opens the two server connections and runs the handshake, then
// reports NC_NO_CONNECTION, NC_REFUSED or NC_CONNECTED to the main window and ends.
// One thread per attempt, started only while no connection exists; its report carries the
// attempt's key in lParam, so the main window can tell it from one another process posts.
#pragma once

#include <cstdint>

// Host the hub connects to, fixed when the program is built.
extern const char* const kGameServerHost;

// A server that accepts and then never answers would otherwise leave the connect window
// up until the user closes the program; after this long the attempt counts as failed.
inline constexpr int kHandshakeReadTimeoutMs = 20000;

void ConnectionThread(std::uintptr_t attemptKey);
