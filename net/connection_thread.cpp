// Two-port handshake: greeting and reply on 3556, introduction and answer on 3555.
#include "net/connection_thread.h"

#include <string>

#include "net/names.h"
#include "net/notification_codes.h"
#include "net/link.h"
#include "net/wire.h"

const char* const kGameServerHost = TAVLORA_SERVER_HOST;

namespace {

constexpr int kHandshakeBufferSize = 100;

// One handshake line: a read of 1 to 99 bytes; a read that fills the whole buffer is
// discarded and the read repeated. False when the read fails or the peer closed.
bool ReadHandshakeLine(SocketHandle socket, std::string& line) {
    char buffer[kHandshakeBufferSize + 1];
    while (true) {
        int received = ReceiveSome(socket, buffer, kHandshakeBufferSize);
        if (received <= 0) return false;
        if (received == kHandshakeBufferSize) continue;
        buffer[received] = '\0';
        line.assign(buffer);  // the text ends at a zero byte, as a C string does
        return true;
    }
}

// Closes the attempt's sockets; the code to report.
int Fail(int code, SocketHandle first, SocketHandle second = kNoSocket) {
    CloseSocket(first);
    CloseSocket(second);
    return code;
}

// The handshake, the code to report its outcome with.
int Handshake() {
    std::uint32_t address = 0;
    SocketHandle first = OpenStreamSocket();
    if (first == kNoSocket) return NC_NO_CONNECTION;
    if (!ResolveIpv4(kGameServerHost, address) || !ConnectSocket(first, address, kInboundPort))
        return Fail(NC_NO_CONNECTION, first);
    SetReceiveTimeout(first, kHandshakeReadTimeoutMs);

    std::string greeting, token;
    if (!ReadHandshakeLine(first, greeting)) return Fail(NC_NO_CONNECTION, first);
    switch (CheckGreeting(greeting, token)) {
        case GreetingCheck::Malformed:
            return Fail(NC_NO_CONNECTION, first);
        case GreetingCheck::OtherVersion:
            return Fail(NC_REFUSED, first);
        case GreetingCheck::Valid:
            break;
    }
    SendAll(first, kHandshakeAccepted);

    SocketHandle second = OpenStreamSocket();
    if (second == kNoSocket || !ConnectSocket(second, address, kOutboundPort))
        return Fail(NC_NO_CONNECTION, first, second);
    SetReceiveTimeout(second, kHandshakeReadTimeoutMs);
    SendAll(second, ComposeIntroduction(token));

    std::string answer;
    if (!ReadHandshakeLine(second, answer)) return Fail(NC_NO_CONNECTION, first, second);
    if (answer == kHandshakeRefused) return Fail(NC_REFUSED, first, second);
    if (answer != kHandshakeAccepted) return Fail(NC_NO_CONNECTION, first, second);

    // From here on the receive loop blocks on the inbound connection for as long as the
    // server is quiet.
    SetReceiveTimeout(first, 0);
    SetReceiveTimeout(second, 0);
    SetConnectionPair(first, second);
    return NC_CONNECTED;
}

}  // namespace

void ConnectionThread(std::uintptr_t attemptKey) {
    PostToMainWindow(Handshake(), attemptKey);
}
