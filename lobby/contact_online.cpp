#include "lobby/contact_online.h"

#include "lobby/lobby_state.h"
#include "lobby/presence.h"

bool ContactComesOnline(std::int32_t playerId, std::int32_t status) {
    if (status != PRESENCE_ONLINE) return false;
    const std::size_t player = FirstPlayer(playerId);
    if (player != kNotFound && Players()[player].status == PRESENCE_ONLINE) return false;
    for (const ContactRecord& contact : ContactRelations())
        if (contact.playerId == playerId && contact.relation != 2) return true;
    return false;
}
