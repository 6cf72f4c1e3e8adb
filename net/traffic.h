// The two threads that carry a connection's traffic once the handshake has made it:
// the receive loop reads the inbound connection into the inbound queue, the sender
// writes the outbound queue, acknowledgements and keep-alives to the outbound
// connection. Both run while isConnected holds and post NC_CONNECTION_LOST when they end.
#pragma once

#include <cstddef>

// Carry-over beyond which the receive loop gives the connection up as lost. A real
// lobby stream is a few MB; this only bounds memory against a peer that never ends a
// message.
inline constexpr std::size_t kMaxCarryOver = 32u * 1024 * 1024;

void ReceiveLoop();
void SenderThread();
