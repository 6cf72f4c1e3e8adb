// What SetLanguage asks of the window system. One Win32 implementation
// (ui/language_port_win.cpp); the unit tests link a recording fake instead.
#pragma once

// Arrow cursor on the login flag of language `current` (1..4), hand on the other three.
void LanguagePortSetFlagCursors(int current);
// Invalidates, without erasing, the main window and every window of the registry.
void LanguagePortRepaintAll();
// Sets the contacts window's title, status bar and menus in the current language.
void LanguagePortRelabelContacts();
// Tells every top-level window, the sibling programs' included, the new language.
void LanguagePortBroadcast(int language);
