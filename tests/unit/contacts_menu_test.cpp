// Check marks of the contacts window's menu bar.
#include <gtest/gtest.h>

#include "lobby/presence.h"
#include "settings/settings.h"
#include "ui/contacts_menu.h"

namespace {

// Per item (options, status items from shown offline to online): its check mark.
std::string Marks() {
    std::string marks;
    for (int command :
         {CONTACTS_FOREGROUND, CONTACTS_HIDE_IGNORED, CONTACTS_SORT_ONLINE, CONTACTS_SORT_FRIENDS,
          CONTACTS_STATUS_SHOWN_OFFLINE, CONTACTS_STATUS_DO_NOT_DISTURB, CONTACTS_STATUS_AWAY,
          CONTACTS_STATUS_ONLINE, CONTACTS_CLOSE})
        marks += ContactsMenuChecked(command) ? '1' : '0';
    return marks;
}

TEST(ContactsMenu, MarksFollowTheOptionsAndTheOwnPresence) {
    ResetSettingsToDefaults();  // on top 1, show ignored 1, sort by friends
    const char* expected[] = {"100100000", "100110000", "100101000", "100100100", "100100010"};
    for (int presence = PRESENCE_NOT_CONNECTED; presence <= PRESENCE_ONLINE; ++presence) {
        ownPresence = presence;
        EXPECT_EQ(Marks(), expected[presence]) << presence;
    }
    SetShowIgnored(0);
    SetContactSortOrder(0);
    SetContactsOnTop(0);
    EXPECT_EQ(Marks(), "011000010");
    ResetSettingsToDefaults();
    ownPresence = PRESENCE_NOT_CONNECTED;
}

}  // namespace
