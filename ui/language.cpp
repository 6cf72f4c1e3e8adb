// Changing the language at run time.
#include "ui/language.h"

#include "settings/settings.h"
#include "ui/language_port.h"

void SetLanguage(int n) {
    if (n == language) return;
    SetSetting(kLanguageKey, n);
    // Flag cursors only follow a language that has a flag.
    if (n >= 1 && n <= 4) LanguagePortSetFlagCursors(n);
    LanguagePortRepaintAll();
    LanguagePortRelabelContacts();
    LanguagePortBroadcast(n);
}
