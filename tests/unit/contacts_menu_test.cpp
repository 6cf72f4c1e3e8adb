// Check marks and Status choices of the contacts window's menu bar.
#include <gtest/gtest.h>

#include "lobby/presence.h"
#include "settings/settings.h"
#include "ui/contacts_menu.h"

namespace {

// Per item (options, status items from shown offline to online, two plain items): its
// check mark as 0 or 1, and the message it queues.
std::string Items() {
    std::string marks, messages;
    for (int command :
         {CONTACTS_FOREGROUND, CONTACTS_HIDE_IGNORED, CONTACTS_SORT_ONLINE, CONTACTS_SORT_FRIENDS,
          CONTACTS_STATUS_SHOWN_OFFLINE, CONTACTS_STATUS_DO_NOT_DISTURB, CONTACTS_STATUS_AWAY,
          CONTACTS_STATUS_ONLINE, CONTACTS_CLOSE, CONTACTS_ADD_CONTACT}) {
        marks += ContactsMenuChecked(command) ? '1' : '0';
        messages += " " + StatusChoiceMessage(command);
    }
    return marks + messages;
}

TEST(ContactsMenu, MarksFollowTheOptionsAndTheOwnPresenceStatusItemsSendOnlyAChange) {
    ResetSettingsToDefaults();  // on top 1, show ignored 1, sort by friends
    const char* expected[] = {
        "1001000000     17,1,! 17,2,! 17,3,! 17,4,!  ", "1001100000      17,2,! 17,3,! 17,4,!  ",
        "1001010000     17,1,!  17,3,! 17,4,!  ", "1001001000     17,1,! 17,2,!  17,4,!  ",
        "1001000100     17,1,! 17,2,! 17,3,!   "};
    for (int presence = PRESENCE_NOT_CONNECTED; presence <= PRESENCE_ONLINE; ++presence) {
        ownPresence = presence;
        EXPECT_EQ(Items(), expected[presence]) << presence;
    }
    SetShowIgnored(0);
    SetContactSortOrder(0);
    SetContactsOnTop(0);
    EXPECT_EQ(Items().substr(0, 10), "0110000100");
    ResetSettingsToDefaults();
    ownPresence = PRESENCE_NOT_CONNECTED;
}

}  // namespace
