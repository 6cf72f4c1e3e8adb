// The few blocking socket operations the connection threads need, over Winsock on
// Windows and POSIX sockets in the native build (where the tests drive the same thread
// code against the development server).
#pragma once

#include <cstdint>
#include <string_view>

using SocketHandle = std::uintptr_t;
inline constexpr SocketHandle kNoSocket = 0;

// Resolves `host` by name and gives its first IPv4 address (network byte order).
bool ResolveIpv4(const char* host, std::uint32_t& address);
// A new IPv4 stream socket, or kNoSocket.
SocketHandle OpenStreamSocket();
bool ConnectSocket(SocketHandle socket, std::uint32_t address, std::uint16_t port);
// recv: bytes read, 0 when the peer closed, negative on failure.
int ReceiveSome(SocketHandle socket, char* buffer, int capacity);
// One send call with the whole text; the result is not examined by the protocol.
int SendAll(SocketHandle socket, std::string_view bytes);
// Reads time out after `milliseconds` (0: never) and then fail.
void SetReceiveTimeout(SocketHandle socket, int milliseconds);
// Closing also wakes a thread blocked in ReceiveSome on the socket.
void CloseSocket(SocketHandle socket);
void SleepMilliseconds(int milliseconds);
