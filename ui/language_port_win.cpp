// The window system side of SetLanguage.
#include <windows.h>
#include <commctrl.h>

#include "lobby/presence.h"
#include "net/notification_codes.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "ui/language_port.h"
#include "ui/texts.h"
#include "ui/contacts_menu_win.h"
#include "ui/registry_win.h"

void LanguagePortSetFlagCursors(int current) {
    for (int n = 1; n <= 4; ++n) {
        HWND flag = WindowHandle(static_cast<WinId>(static_cast<int>(WinId::LoginFlag1) + n - 1));
        HCURSOR cursor = LoadCursorW(nullptr, n == current ? IDC_ARROW : IDC_HAND);
        SetClassLongPtrW(flag, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(cursor));
    }
}

void LanguagePortRepaintAll() {
    for (int i = 0; i < kWindowCount; ++i) {
        HWND window = WindowHandle(static_cast<WinId>(i));
        if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
    }
}

void LanguagePortRelabelContacts() {
    SetWindowTextW(WindowHandle(WinId::Contacts), Text(TextId::ContactsTitle).c_str());
    ShowOwnPresenceInStatusBar(false);
    RelabelContactsMenus();
}

void LanguagePortBroadcast(int language) {
    UiBroadcastCode(NC_LANGUAGE_CHANGED, language);
}
