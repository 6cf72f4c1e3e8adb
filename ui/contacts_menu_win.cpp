// Menus of the contacts window, from the table in ui/contacts_menu.h.
#include "ui/contacts_menu_win.h"

#include <commctrl.h>

#include "lobby/contact_requests.h"
#include "net/notification_codes.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "lobby/presence.h"
#include "lobby/sibling_launch.h"
#include "ui/contacts_menu.h"
#include "ui/registry_win.h"
#include "ui/texts.h"

namespace {

constexpr int kAddContactWidth = 250, kAddContactHeight = 130;

// The menu bar's pop-ups, kept to relabel and re-check them.
HMENU menuBar = nullptr;
HMENU popups[4] = {};
constexpr TextId kPopupTitles[4] = {TextId::ContactsMenuFile, TextId::ContactsMenuOptions,
                                    TextId::ContactsMenuSortBy, TextId::ContactsMenuStatus};

HMENU Popup(ContactsMenu menu) {
    return popups[static_cast<int>(menu)];
}

void SetItemText(HMENU menu, UINT item, BOOL byPosition, const std::wstring& text) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = const_cast<wchar_t*>(text.c_str());
    SetMenuItemInfoW(menu, item, byPosition, &info);
}

void ShowAddContactDialog(HWND contacts) {
    RECT place{};
    GetWindowRect(contacts, &place);
    HWND dialog = WindowHandle(WinId::ContactsAdd);
    MoveWindow(dialog, place.left, place.top, kAddContactWidth, kAddContactHeight, TRUE);
    ShowWindow(dialog, SW_SHOW);
    UiSendCode(WinId::ContactsAdd, NC_FOCUS_DIALOG, 0);
}

}  // namespace

HMENU BuildContactsMenuBar() {
    menuBar = CreateMenu();
    for (HMENU& popup : popups)
        popup = CreatePopupMenu();
    for (const ContactsMenuItem& item : kContactsMenuItems) {
        AppendMenuW(Popup(item.menu), MF_STRING, static_cast<UINT_PTR>(item.command),
                    Text(item.text).c_str());
        // The sort submenu follows the Options items it belongs under.
        if (item.command == CONTACTS_HIDE_IGNORED) {
            AppendMenuW(Popup(ContactsMenu::Options), MF_POPUP,
                        reinterpret_cast<UINT_PTR>(Popup(ContactsMenu::SortBy)),
                        Text(TextId::ContactsMenuSortBy).c_str());
        }
    }
    for (ContactsMenu menu : {ContactsMenu::File, ContactsMenu::Options, ContactsMenu::Status}) {
        AppendMenuW(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(menu)),
                    Text(kPopupTitles[static_cast<int>(menu)]).c_str());
    }
    RefreshContactsMenuChecks();
    return menuBar;
}

void RefreshContactsMenuChecks() {
    if (menuBar == nullptr) return;
    for (const ContactsMenuItem& item : kContactsMenuItems) {
        CheckMenuItem(menuBar, static_cast<UINT>(item.command),
                      MF_BYCOMMAND | (ContactsMenuChecked(item.command) ? MF_CHECKED : 0));
    }
    DrawMenuBar(WindowHandle(WinId::Contacts));
}

void RelabelContactsMenus() {
    if (menuBar == nullptr) return;
    for (const ContactsMenuItem& item : kContactsMenuItems)
        SetItemText(menuBar, static_cast<UINT>(item.command), FALSE, Text(item.relabelled));
    // Titles by position: File, Options, Status on the bar; the submenu inside Options.
    SetItemText(menuBar, 0, TRUE, Text(TextId::ContactsMenuFile));
    SetItemText(menuBar, 1, TRUE, Text(TextId::ContactsMenuOptions));
    SetItemText(menuBar, 2, TRUE, Text(TextId::ContactsMenuStatus));
    SetItemText(Popup(ContactsMenu::Options), 2, TRUE, Text(TextId::ContactsMenuSortBy));
    DrawMenuBar(WindowHandle(WinId::Contacts));
}

bool RunContactsCommand(HWND contacts, int command) {
    switch (command) {
        case CONTACTS_CLOSE:
            SendMessageW(contacts, WM_CLOSE, 0, 0);
            return true;
        case CONTACTS_FOREGROUND:
            SetSetting(kContactsOnTopKey, contactsOnTop == 1 ? 0 : 1);
            SetWindowPos(contacts, contactsOnTop == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE);
            break;
        case CONTACTS_HIDE_IGNORED:
            SetSetting(kShowIgnoredKey, showIgnored == 1 ? 0 : 1);
            UiRefreshContacts();
            break;
        case CONTACTS_SORT_ONLINE:
        case CONTACTS_SORT_FRIENDS: {
            const int order = command == CONTACTS_SORT_ONLINE ? 0 : 1;
            if (contactSortOrder == order) return true;
            SetSetting(kContactSortOrderKey, order);
            UiRefreshContacts();
            break;
        }
        case CONTACTS_ADD_CONTACT:
            ShowAddContactDialog(contacts);
            return true;
        case CONTACTS_PRIVATE_MESSAGE:
            OpenChatWindow(false, std::wstring(), std::wstring());
            return true;
        default: {
            if (PresenceOfStatusCommand(command) == 0) return false;
            // The check mark moves when the server confirms the new presence.
            RequestOwnPresence(PresenceOfStatusCommand(command));
            return true;
        }
    }
    RefreshContactsMenuChecks();
    return true;
}

void ShowOwnPresenceInStatusBar(bool reported) {
    SendMessageW(WindowHandle(WinId::ContactsStatusBar), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(PresenceText(ownPresence, language, reported).c_str()));
}
