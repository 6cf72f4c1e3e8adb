// Check marks and Status choices of the contacts window's menu bar.
#include <gtest/gtest.h>

#include "lobby/presence.h"
#include "settings/settings.h"
#include "ui/contacts_menu.h"

namespace {

TEST(ContactsMenu, CheckMarksFollowTheOptionsAndTheOwnPresence) {
    ResetSettingsToDefaults();  // on top 1, show ignored 1, sort by friends
    const std::vector<int> options = {CONTACTS_FOREGROUND, CONTACTS_HIDE_IGNORED,
                                      CONTACTS_SORT_ONLINE, CONTACTS_SORT_FRIENDS};
    const std::vector<int> status = {CONTACTS_STATUS_SHOWN_OFFLINE, CONTACTS_STATUS_DO_NOT_DISTURB,
                                     CONTACTS_STATUS_AWAY, CONTACTS_STATUS_ONLINE};
    auto checked = [](const std::vector<int>& commands) {
        std::vector<bool> marks;
        for (int command : commands)
            marks.push_back(ContactsMenuChecked(command));
        return marks;
    };
    for (int presence = PRESENCE_NOT_CONNECTED; presence <= PRESENCE_ONLINE; ++presence) {
        ownPresence = presence;
        std::vector<bool> expected(4, false);
        if (presence > PRESENCE_NOT_CONNECTED) expected[presence - 1] = true;
        EXPECT_EQ(checked(status), expected) << presence;
    }
    EXPECT_EQ(checked(options), (std::vector<bool>{true, false, false, true}));
    EXPECT_FALSE(ContactsMenuChecked(CONTACTS_CLOSE) || ContactsMenuChecked(CONTACTS_ADD_CONTACT));
    SetShowIgnored(0);
    SetContactSortOrder(0);
    SetContactsOnTop(0);
    EXPECT_EQ(checked(options), (std::vector<bool>{false, true, true, false}));
    ResetSettingsToDefaults();
    ownPresence = PRESENCE_NOT_CONNECTED;
}

TEST(ContactsMenu, StatusItemsSendOnlyAChange) {
    const struct {
        int own, command;
        const char* message;
    } cases[] = {{PRESENCE_ONLINE, CONTACTS_STATUS_ONLINE, ""},
                 {PRESENCE_ONLINE, CONTACTS_STATUS_AWAY, "17,3,!"},
                 {PRESENCE_AWAY, CONTACTS_STATUS_DO_NOT_DISTURB, "17,2,!"},
                 {PRESENCE_AWAY, CONTACTS_STATUS_SHOWN_OFFLINE, "17,1,!"},
                 {PRESENCE_SHOWN_OFFLINE, CONTACTS_STATUS_ONLINE, "17,4,!"},
                 {PRESENCE_ONLINE, CONTACTS_CLOSE, ""}};
    for (const auto& c : cases) {
        ownPresence = c.own;
        EXPECT_EQ(StatusChoiceMessage(c.command), c.message) << c.command;
    }
    ownPresence = PRESENCE_NOT_CONNECTED;
}

}  // namespace
