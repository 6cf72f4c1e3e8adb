// State of the server connection shared between the main window's thread and the
// connection, receive and sender threads. Each value is a single atomic integer: the
// main thread writes isConnected, the pending acknowledgement and the acknowledged
// number; the threads read them (the sender takes the pending acknowledgement with an
// exchange). The socket slots are written by the connection thread before it reports
// NC_CONNECTED and afterwards only by the main thread, which closes them on disconnect.
#pragma once

#include <atomic>
#include <cstdint>

#include "net/socket_io.h"

extern std::atomic<bool> isConnected;
extern std::atomic<std::int32_t> pendingAcknowledgement;  // 0: nothing to acknowledge
extern std::atomic<std::int32_t> acknowledgedNumber;      // highest confirmed client number
extern std::atomic<SocketHandle> inboundConnection;       // port 3556: the server writes
extern std::atomic<SocketHandle> outboundConnection;      // port 3555: the client writes

// The only writers of the values above.
// The connection thread's pair, stored before it reports NC_CONNECTED.
void SetConnectionPair(SocketHandle inbound, SocketHandle outbound);
void MarkConnected();  // main thread, on NC_CONNECTED
// Clears isConnected, then closes both sockets and empties the slots (main thread);
// false when there was no connection. Closing is what makes the receive loop's blocked
// read fail and the threads end.
bool DropConnection();
// Closes both sockets and empties the slots without looking at isConnected.
void CloseConnectionPair();
// An acknowledgement of the next client number arrived.
void NoteAcknowledged(std::int32_t number);
// A server message arrived: its number is to be acknowledged (0 or less: nothing).
void NoteToAcknowledge(std::int32_t number);
// The sender takes the number to acknowledge; 0 when there is none.
std::int32_t TakePendingAcknowledgement();
// A new login starts numbering afresh.
void ResetAcknowledgements();

// Posts TavloraIntMessage with `code` and `argument` in lParam to the main window.
// Implemented by the window layer; tests supply their own.
void PostToMainWindow(int code, std::uintptr_t argument = 0);
