// Sibling command lines from the committed settings.
#include "lobby/child_command_line.h"

#include "net/names.h"
#include "settings/settings.h"

namespace {

void AddField(std::wstring& line, const std::wstring& field) {
    line += field;
    line += L',';
}

void AddNumber(std::wstring& line, int value) {
    AddField(line, std::to_wstring(value));
}

}  // namespace

std::wstring ChatCommandLine(bool isContact, const std::wstring& name, const std::wstring& text) {
    std::wstring line = L" ,?,";
    AddNumber(line, kClientVersion);
    AddNumber(line, language);
    AddNumber(line, foreground);
    AddNumber(line, sound);
    AddNumber(line, timestamp);
    AddNumber(line, isContact ? 1 : 0);
    AddField(line, name);
    AddField(line, text);
    return line;
}
