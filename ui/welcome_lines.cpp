// The three welcome lines of the main window in the current language.
#include "ui/welcome_lines.h"

#include "ui/texts.h"

WelcomeLines ComposeWelcomeLines(const std::wstring& userName, const LobbyCounts& counts,
                                 int language) {
    WelcomeLines lines;
    lines.greeting = TextIn(TextId::WelcomePrefix, language) + userName;
    lines.players = std::to_wstring(counts.players) + TextIn(TextId::UsersWord, language) + L" " +
                    std::to_wstring(counts.playersOnline) + TextIn(TextId::OnlineWord, language);
    lines.lobby = std::to_wstring(counts.rooms) + TextIn(TextId::RoomsWord, language) + L" " +
                  std::to_wstring(counts.tables) + TextIn(TextId::TablesWord, language);
    return lines;
}
