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
// One send call: the number of bytes it took (possibly fewer than offered), negative on
// failure.
int SendSome(SocketHandle socket, const char* data, int size);
using SendCall = int (*)(SocketHandle socket, const char* data, int size);
// Sends the whole text, repeating `call` (tests pass a stand-in) for whatever the
// previous call left over, so that a message never reaches the server cut short. Stops
// at a call that fails or takes nothing: that attempt is given up, and the message's
// missing acknowledgement leads to resends and finally to the lost connection. True when
// every byte went.
bool SendAll(SocketHandle socket, std::string_view bytes, SendCall call = SendSome);
// Reads time out after `milliseconds` (0: never) and then fail.
void SetReceiveTimeout(SocketHandle socket, int milliseconds);
// Closing also wakes a thread blocked in ReceiveSome on the socket.
void CloseSocket(SocketHandle socket);
void SleepMilliseconds(int milliseconds);
