// The window system side of SetLanguage, as a recording.
#include "tests/unit/fakes/ui_language_port_fake.h"

#include "ui/language_port.h"

namespace {
std::vector<std::string> calls;
}  // namespace

void ClearLanguagePortCalls() {
    calls.clear();
}
std::vector<std::string> LanguagePortCalls() {
    return calls;
}

void LanguagePortSetFlagCursors(int current) {
    calls.push_back("cursors " + std::to_string(current));
}
void LanguagePortRepaintAll() {
    calls.push_back("repaint");
}
void LanguagePortRelabelContacts() {
    calls.push_back("relabel");
}
void LanguagePortBroadcast(int language) {
    calls.push_back("broadcast " + std::to_string(language));
}
