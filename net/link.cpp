// The shared connection state.
#include "net/link.h"

#include "net/sender_wakeup.h"

std::atomic<bool> isConnected{false};
std::atomic<std::int32_t> pendingAcknowledgement{0};
std::atomic<std::int32_t> acknowledgedNumber{0};
std::atomic<SocketHandle> inboundConnection{kNoSocket};
std::atomic<SocketHandle> outboundConnection{kNoSocket};

void CloseConnectionPair() {
    CloseSocket(inboundConnection.exchange(kNoSocket));
    CloseSocket(outboundConnection.exchange(kNoSocket));
    WakeSender();  // it sees isConnected cleared at its next pass
}
