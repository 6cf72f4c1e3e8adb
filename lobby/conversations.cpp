// Private conversations and undelivered messages.
#include "lobby/conversations.h"

#include <algorithm>

#include "lobby/lobby_port.h"
#include "lobby/lobby_state.h"
#include "lobby/sibling_launch.h"
#include "net/text_convert.h"
#include "settings/settings.h"

namespace {

constexpr std::int32_t kIgnored = 2;
constexpr std::int32_t kLastUnreachableStatus = 2;

struct UndeliverableTexts {
    const wchar_t* caption;
    const wchar_t* firstLine;
    const wchar_t* reasons[4];
};

// English, German, Italian, Polish.
constexpr UndeliverableTexts kTexts[4] = {
    {L"Tavlora - System Message",
     L"Cannot deliver message.",
     {L"doesn\u00B4t exist.", L"is offline.", L"doesn\u00B4t want to be disturbed.",
      L"has ignored the message."}},
    {L"Tavlora - System Nachricht",
     L"Nachricht konnte nicht gesendet werden.",
     {L"existiert nicht.", L"ist offline.", L"will nicht gest\u00F6rt werden.",
      L"hat die Nachricht ignoriert."}},
    {L"Tavlora - Messagio di sistema",
     L"Impossibile inviare il messaggio.",
     {L"non esiste.", L"non \u00E8 online.", L"non vuole essere disturbato.",
      L"ignora il messagio."}},
    {L"Tavlora - Wiadomo\u015B\u0107 systemowa",
     L"Nie mo\u017Cna dostarczy\u0107 wiadomo\u015Bci.",
     {L"nie istnieje.", L"jest offline.", L"nie chce by mu przeszkadzano.",
      L"zignorowa\u0142/a wiadomo\u015B\u0107."}},
};

const UndeliverableTexts& TextsOf(int language) {
    return language >= 2 && language <= 4 ? kTexts[language - 1] : kTexts[0];
}

}  // namespace

void RequestChatWindow(std::int32_t playerId, std::string_view text) {
    std::wstring name;
    const std::size_t player = FirstPlayer(playerId);
    if (player != kNotFound) {
        if (Players()[player].status <= kLastUnreachableStatus && text.empty()) return;
        name = Players()[player].name;
    }
    const std::vector<ContactRecord>& contactRelations = ContactRelations();
    const auto contact =
        std::find_if(contactRelations.begin(), contactRelations.end(),
                     [&](const ContactRecord& relation) { return relation.playerId == playerId; });
    if (contact != contactRelations.end() && contact->relation == kIgnored) return;
    OpenChatWindow(contact != contactRelations.end(), name, WideFromNarrow(text));
}

std::wstring UndeliverableCaption(int language) {
    return TextsOf(language).caption;
}

std::wstring UndeliverableText(int language, std::int32_t reason, const std::wstring& nickname) {
    const UndeliverableTexts& texts = TextsOf(language);
    std::wstring text = texts.firstLine;
    text += L"\r\n";
    text += nickname;
    text += L' ';
    if (reason >= 1 && reason <= 4) text += texts.reasons[reason - 1];
    return text;
}

void ShowUndeliverable(std::int32_t reason, const std::wstring& nickname) {
    LobbyShowErrorBox(UndeliverableCaption(language),
                      UndeliverableText(language, reason, nickname));
}
