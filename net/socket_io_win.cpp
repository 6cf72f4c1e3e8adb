// Winsock for the hub.
#include <winsock2.h>
#include <windows.h>

#include <cstring>

#include "net/socket_connect.h"
#include "net/socket_io.h"

namespace {
SOCKET Raw(SocketHandle socket) {
    return static_cast<SOCKET>(socket);
}
}  // namespace

bool ResolveIpv4(const char* host, std::uint32_t& address) {
    hostent* entry = gethostbyname(host);
    if (entry == nullptr || entry->h_addrtype != AF_INET || entry->h_addr_list[0] == nullptr)
        return false;
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    return true;
}

SocketHandle OpenStreamSocket() {
    SOCKET raw = ::socket(AF_INET, SOCK_STREAM, 0);
    return raw == INVALID_SOCKET ? kNoSocket : static_cast<SocketHandle>(raw);
}

bool ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
    return ConnectIpv4(Raw(socket), address, port);
}

int ReceiveSome(SocketHandle socket, char* buffer, int capacity) {
    return ::recv(Raw(socket), buffer, capacity, 0);
}

int SendSome(SocketHandle socket, const char* data, int size) {
    return ::send(Raw(socket), data, size, 0);
}

void SetReceiveTimeout(SocketHandle socket, int milliseconds) {
    DWORD limit = static_cast<DWORD>(milliseconds);
    setsockopt(Raw(socket), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit),
               sizeof limit);
}

void CloseSocket(SocketHandle socket) {
    if (socket == kNoSocket) return;
    ::shutdown(Raw(socket), SD_BOTH);
    ::closesocket(Raw(socket));
}

void SleepMilliseconds(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}
