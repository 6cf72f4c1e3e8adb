// Check marks and Status choices of the contacts window's menu bar.
#include "ui/contacts_menu.h"

#include "settings/settings.h"
#include "lobby/presence.h"

int PresenceOfStatusCommand(int command) {
    switch (command) {
        case CONTACTS_STATUS_ONLINE:
            return PRESENCE_ONLINE;
        case CONTACTS_STATUS_AWAY:
            return PRESENCE_AWAY;
        case CONTACTS_STATUS_DO_NOT_DISTURB:
            return PRESENCE_DO_NOT_DISTURB;
        case CONTACTS_STATUS_SHOWN_OFFLINE:
            return PRESENCE_SHOWN_OFFLINE;
        default:
            return 0;
    }
}

bool ContactsMenuChecked(int command) {
    switch (command) {
        case CONTACTS_FOREGROUND:
            return contactsOnTop == 1;
        case CONTACTS_HIDE_IGNORED:
            return showIgnored == 0;
        case CONTACTS_SORT_ONLINE:
            return contactSortOrder == 0;
        case CONTACTS_SORT_FRIENDS:
            return contactSortOrder == 1;
        default: {
            const int presence = PresenceOfStatusCommand(command);
            return presence != 0 && presence == ownPresence;
        }
    }
}
