// The shared connection state.
#include "net/link.h"

#include "net/sender_wakeup.h"

std::atomic<bool> isConnected{false};
std::atomic<std::int32_t> pendingAcknowledgement{0};
std::atomic<std::int32_t> acknowledgedNumber{0};
std::atomic<SocketHandle> inboundConnection{kNoSocket};
std::atomic<SocketHandle> outboundConnection{kNoSocket};

void SetConnectionPair(SocketHandle inbound, SocketHandle outbound) {
    outboundConnection.store(outbound);
    inboundConnection.store(inbound);
}

void MarkConnected() {
    isConnected = true;
}

bool DropConnection() {
    if (!isConnected.load()) return false;
    isConnected = false;
    CloseConnectionPair();
    return true;
}

void NoteAcknowledged(std::int32_t number) {
    acknowledgedNumber.store(number);
}

void NoteToAcknowledge(std::int32_t number) {
    pendingAcknowledgement.store(number);
}

std::int32_t TakePendingAcknowledgement() {
    return pendingAcknowledgement.exchange(0);
}

void ResetAcknowledgements() {
    acknowledgedNumber = 0;
    pendingAcknowledgement = 0;
}

void CloseConnectionPair() {
    CloseSocket(inboundConnection.exchange(kNoSocket));
    CloseSocket(outboundConnection.exchange(kNoSocket));
    WakeSender();  // it sees isConnected cleared at its next pass
}
