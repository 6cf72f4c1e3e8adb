// Which presence change is a contact coming online (the contacts window plays a sound).
#pragma once

#include <cstdint>

// A contact not ignored whose player was not online before changes to online. Ask before
// the player model takes the new status.
bool ContactComesOnline(std::int32_t playerId, std::int32_t status);
