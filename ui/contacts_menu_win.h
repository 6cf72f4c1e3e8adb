// The contacts window's menu bar: built when the window is created, its check marks kept
// in step with the options and the own presence, its commands carried out.
#pragma once

#include <windows.h>

HMENU BuildContactsMenuBar();
void RefreshContactsMenuChecks();
// The status bar's text for the own presence in the current language (`reported`: as the
// server has just reported it).
void ShowOwnPresenceInStatusBar(bool reported);
// After a language change: every title and item in the new language.
void RelabelContactsMenus();
// WM_COMMAND from the menu bar; false for any other command.
bool RunContactsCommand(HWND contacts, int command);
