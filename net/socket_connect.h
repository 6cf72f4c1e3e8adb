// The connect call both socket files make the same way. Each includes its platform's
// socket headers (sockaddr_in, htons, connect) before this one.
#pragma once

#include <cstdint>

// Connects the platform's socket `native` to the IPv4 `address` (network byte order).
template <class Native>
bool ConnectIpv4(Native native, std::uint32_t address, std::uint16_t port) {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(port);
    target.sin_addr.s_addr = address;
    return ::connect(native, reinterpret_cast<sockaddr*>(&target), sizeof target) == 0;
}
