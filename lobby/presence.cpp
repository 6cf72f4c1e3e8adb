// The own presence.
#include "lobby/presence.h"

int ownPresence = PRESENCE_NOT_CONNECTED;

void SetOwnPresence(int presence) {
    ownPresence = presence;
}
