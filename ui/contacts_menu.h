// The contacts window's menu bar as data: which item sits where, its text, and when it
// carries a check mark. The window builds the menus from this table and asks it again
// whenever an option or the own presence changes.
#pragma once

#include <string>

#include "ui/texts.h"

enum ContactsCommand : int {
    CONTACTS_CLOSE = 2001,
    CONTACTS_FOREGROUND = 2002,
    CONTACTS_ADD_CONTACT = 2003,
    CONTACTS_STATUS_ONLINE = 2004,
    CONTACTS_STATUS_AWAY = 2005,
    CONTACTS_STATUS_DO_NOT_DISTURB = 2006,
    CONTACTS_STATUS_SHOWN_OFFLINE = 2007,
    CONTACTS_SORT_ONLINE = 2008,
    CONTACTS_SORT_FRIENDS = 2009,
    CONTACTS_PRIVATE_MESSAGE = 2010,
    CONTACTS_HIDE_IGNORED = 2011,
};

enum class ContactsMenu : int { File, Options, SortBy, Status };

struct ContactsMenuItem {
    ContactsMenu menu;
    int command;
    TextId text;
    TextId relabelled;  // the text after a language change (mostly the same id)
};

inline constexpr ContactsMenuItem kContactsMenuItems[] = {
    {ContactsMenu::File, CONTACTS_ADD_CONTACT, TextId::ContactsItemAddContact,
     TextId::ContactsItemAddContactRelabelled},
    {ContactsMenu::File, CONTACTS_PRIVATE_MESSAGE, TextId::ContactsItemPrivateMessage,
     TextId::ContactsItemPrivateMessage},
    {ContactsMenu::File, CONTACTS_CLOSE, TextId::ContactsItemClose, TextId::ContactsItemClose},
    {ContactsMenu::Options, CONTACTS_FOREGROUND, TextId::ContactsItemForeground,
     TextId::ContactsItemForeground},
    {ContactsMenu::Options, CONTACTS_HIDE_IGNORED, TextId::ContactsItemHideIgnored,
     TextId::ContactsItemHideIgnored},
    {ContactsMenu::SortBy, CONTACTS_SORT_ONLINE, TextId::ContactsItemSortOnline,
     TextId::ContactsItemSortOnline},
    {ContactsMenu::SortBy, CONTACTS_SORT_FRIENDS, TextId::ContactsItemSortFriends,
     TextId::ContactsItemSortFriends},
    {ContactsMenu::Status, CONTACTS_STATUS_ONLINE, TextId::ContactsItemOnline,
     TextId::ContactsItemOnline},
    {ContactsMenu::Status, CONTACTS_STATUS_AWAY, TextId::ContactsItemAway,
     TextId::ContactsItemAway},
    {ContactsMenu::Status, CONTACTS_STATUS_DO_NOT_DISTURB, TextId::ContactsItemDoNotDisturb,
     TextId::ContactsItemDoNotDisturb},
    {ContactsMenu::Status, CONTACTS_STATUS_SHOWN_OFFLINE, TextId::ContactsItemShowAsOffline,
     TextId::ContactsItemShowAsOfflineRelabelled},
};

// Whether the item of `command` carries a check mark now (options and own presence).
bool ContactsMenuChecked(int command);

// The presence a Status item stands for (1..4), or 0 for any other command.
int PresenceOfStatusCommand(int command);
