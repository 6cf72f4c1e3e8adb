// POSIX sockets for the native build.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstring>
#include <thread>

#include "net/socket_connect.h"
#include "net/socket_io.h"
#include "net/socket_io_posix.h"

namespace {
int Fd(SocketHandle socket) {
    return static_cast<int>(socket) - 1;
}
}  // namespace

bool ResolveIpv4(const char* host, std::uint32_t& address) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host, nullptr, &hints, &found) != 0 || found == nullptr) return false;
    address = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
    freeaddrinfo(found);
    return true;
}

// Handles are the descriptor plus one, so that 0 can mean "no socket".
SocketHandle OpenStreamSocket() {
    int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    return fd < 0 ? kNoSocket : static_cast<SocketHandle>(fd + 1);
}

bool ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port) {
    return ConnectIpv4(Fd(socket), address, port);
}

int ReceiveSome(SocketHandle socket, char* buffer, int capacity) {
    return static_cast<int>(::recv(Fd(socket), buffer, static_cast<std::size_t>(capacity), 0));
}

int SendSome(SocketHandle socket, const char* data, int size) {
    return static_cast<int>(::send(Fd(socket), data, static_cast<std::size_t>(size), MSG_NOSIGNAL));
}

void SetReceiveTimeout(SocketHandle socket, int milliseconds) {
    timeval limit{};
    limit.tv_sec = milliseconds / 1000;
    limit.tv_usec = (milliseconds % 1000) * 1000;
    setsockopt(Fd(socket), SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

void CloseSocket(SocketHandle socket) {
    if (socket == kNoSocket) return;
    // Unlike closesocket on Windows, close() leaves a blocked recv waiting; shutdown wakes it.
    ::shutdown(Fd(socket), SHUT_RDWR);
    ::close(Fd(socket));
}

void SleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

SocketHandle HandleFromDescriptor(int descriptor) {
    return static_cast<SocketHandle>(descriptor + 1);
}
