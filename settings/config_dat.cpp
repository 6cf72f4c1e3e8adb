// The chat font record's bytes to and from `chatFont` and `chatFontColour`.
#include "settings/config_dat.h"

#include <cstring>

#include "settings/settings.h"

static_assert(kConfigDatBytes == kChatFontBytes + 4);

bool ApplyConfigDat(std::string_view bytes) {
    if (bytes.size() != kConfigDatBytes) return false;
    std::uint32_t colour = 0;
    for (int i = 3; i >= 0; --i) {
        colour = colour << 8 | static_cast<unsigned char>(bytes[kChatFontBytes + i]);
    }
    SetChatFont(bytes.data(), colour);
    return true;
}

std::string ComposeConfigDat() {
    std::string bytes(reinterpret_cast<const char*>(chatFont), kChatFontBytes);
    for (int i = 0; i < 4; ++i)
        bytes += static_cast<char>(chatFontColour >> (8 * i) & 0xFF);
    return bytes;
}
