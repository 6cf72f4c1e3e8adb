// The platform-independent part of the socket operations.
#include "net/socket_io.h"

#include <algorithm>
#include <climits>

bool SendAll(SocketHandle socket, std::string_view bytes, SendCall call) {
    while (!bytes.empty()) {
        const int offered = static_cast<int>(std::min<std::size_t>(bytes.size(), INT_MAX));
        const int taken = call(socket, bytes.data(), offered);
        // A call that takes nothing would only be repeated forever.
        if (taken <= 0 || taken > offered) return false;
        bytes.remove_prefix(static_cast<std::size_t>(taken));
    }
    return true;
}
