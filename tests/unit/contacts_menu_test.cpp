// Check marks and Status choices of the contacts window's menu bar, and the command line
// of a private conversation.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "lobby/child_command_line.h"
#include "lobby/presence.h"
#include "ui/contacts_menu.h"

namespace {

TEST(ContactsMenu, CheckMarksFollowTheOptionsAndTheOwnPresence) {
    ResetSettingsToDefaults();  // on top 1, show ignored 1, sort by friends
    ownPresence = PRESENCE_NOT_CONNECTED;
    EXPECT_TRUE(ContactsMenuChecked(CONTACTS_FOREGROUND));
    EXPECT_FALSE(ContactsMenuChecked(CONTACTS_HIDE_IGNORED));
    EXPECT_FALSE(ContactsMenuChecked(CONTACTS_SORT_ONLINE));
    EXPECT_TRUE(ContactsMenuChecked(CONTACTS_SORT_FRIENDS));
    for (int command = CONTACTS_STATUS_ONLINE; command <= CONTACTS_STATUS_SHOWN_OFFLINE; ++command)
        EXPECT_FALSE(ContactsMenuChecked(command)) << "no presence before the login";

    ownPresence = PRESENCE_ONLINE;  // what an accepted login sets
    EXPECT_TRUE(ContactsMenuChecked(CONTACTS_STATUS_ONLINE));
    for (int command : {CONTACTS_STATUS_AWAY, CONTACTS_STATUS_DO_NOT_DISTURB,
                        CONTACTS_STATUS_SHOWN_OFFLINE, CONTACTS_CLOSE, CONTACTS_ADD_CONTACT})
        EXPECT_FALSE(ContactsMenuChecked(command)) << command;

    SetShowIgnored(0);
    SetContactSortOrder(0);
    SetContactsOnTop(0);
    EXPECT_TRUE(ContactsMenuChecked(CONTACTS_HIDE_IGNORED));
    EXPECT_TRUE(ContactsMenuChecked(CONTACTS_SORT_ONLINE));
    EXPECT_FALSE(ContactsMenuChecked(CONTACTS_FOREGROUND));
    ResetSettingsToDefaults();
    ownPresence = PRESENCE_NOT_CONNECTED;
}

TEST(ContactsMenu, StatusItemsSendOnlyAChange) {
    struct Case {
        int own, command;
        const char* message;
    } cases[] = {
        {PRESENCE_ONLINE, CONTACTS_STATUS_ONLINE, ""},
        {PRESENCE_ONLINE, CONTACTS_STATUS_AWAY, "17,3,!"},
        {PRESENCE_AWAY, CONTACTS_STATUS_DO_NOT_DISTURB, "17,2,!"},
        {PRESENCE_AWAY, CONTACTS_STATUS_SHOWN_OFFLINE, "17,1,!"},
        {PRESENCE_SHOWN_OFFLINE, CONTACTS_STATUS_ONLINE, "17,4,!"},
        {PRESENCE_ONLINE, CONTACTS_CLOSE, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.command);
        ownPresence = c.own;
        EXPECT_EQ(StatusChoiceMessage(c.command), c.message);
    }
    ownPresence = PRESENCE_NOT_CONNECTED;
}

TEST(ChildCommandLine, ChatCarriesTheSettingsAndTheTextsAsTheyAre) {
    ResetSettingsToDefaults();
    language = 4;
    timestamp = 1;
    EXPECT_EQ(ChatCommandLine(true, L"Anna", L"hello, there"),
              L" ,?,73,4,1,1,1,1,Anna,hello, there,");
    EXPECT_EQ(ChatCommandLine(false, L"", L""), L" ,?,73,4,1,1,1,0,,,");
    ResetSettingsToDefaults();
}

}  // namespace
