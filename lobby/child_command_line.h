// Command lines of the sibling programs: " ,?," and then comma-separated fields, each
// followed by a comma. Texts go in as they are: a comma inside one makes one field more
// on the receiving side.
#pragma once

#include <string>

// ChatView.exe: version, language, foreground, sound, time stamps, whether the partner is a
// contact, the partner's display name and the message text.
std::wstring ChatCommandLine(bool isContact, const std::wstring& name, const std::wstring& text);
