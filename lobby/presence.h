// The player's own presence as the contacts window shows and sets it.
#pragma once

enum Presence : int {
    PRESENCE_NOT_CONNECTED = 0,
    PRESENCE_SHOWN_OFFLINE = 1,
    PRESENCE_DO_NOT_DISTURB = 2,
    PRESENCE_AWAY = 3,
    PRESENCE_ONLINE = 4,
};

extern int ownPresence;  // changed only by the server's presence messages and the session
void SetOwnPresence(int presence);
