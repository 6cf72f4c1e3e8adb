// Texts of the contacts window's menu bar.
#include <iterator>

#include "ui/text_rows.h"

namespace {

using T = TextId;

constexpr TextRow kRows[] = {
    {T::ContactsMenuFile, L"File", L"Datei", L"File", L"Plik"},
    {T::ContactsMenuOptions, L"Options", L"Optionen", L"Opzioni", L"Opcje"},
    {T::ContactsMenuStatus, L"Status", L"Status", L"Stato", L"Status"},
    {T::ContactsMenuSortBy, L"Sort list by", L"Liste sortieren nach", L"Ordina elenco per",
     L"Sortuj listę wg"},
    {T::ContactsItemClose, L"Close", L"Schliessen", L"Chiudi", L"Zamknij"},
    {T::ContactsItemForeground, L"Keep this window in foreground",
     L"Dieses Fenster im Vordergrund halten", L"Tenete questa finestra in primo piano",
     L"Ustaw to okno zawsze na pierwszym planie"},
    {T::ContactsItemAddContact, L"Add Contact", L"Kontakt hinzufügen", L"Aggiungi contatto",
     L"Dodaj kontakt"},
    {T::ContactsItemShowAsOffline, L"Show as offline", L"Als offline anzeigen",
     L"Mostra disconnesso", L"Niepołączony"},
    {T::ContactsItemOnline, L"Online", L"Online", L"Online", L"Online"},
    {T::ContactsItemAway, L"Away", L"Abwesend", L"Non al computer", L"Zaraz wracam"},
    {T::ContactsItemDoNotDisturb, L"Do not disturb", L"Bitte nicht stören", L"Non disturbare",
     L"Nie przeszkadzać"},
    {T::ContactsItemSortOnline, L"Online / Offline", L"Online / Offline", L"Online / Offline",
     L"Online / Offline"},
    {T::ContactsItemSortFriends, L"Friends / Ignored", L"Freunde / Ignoriert", L"Amici / Ignora",
     L"Znajomi / Ignorowani"},
    {T::ContactsItemPrivateMessage, L"Send private message", L"Private Nachricht senden",
     L"Invia messaggio privato", L"Wyślij prywatną wiadomość"},
    {T::ContactsItemHideIgnored, L"Hide ignored contacts", L"Ignorierte Kontakte ausblenden",
     L"Nascondi i contatti ignorati", L"Ukryj ignorowane kontakty"},
    {T::ContactsItemAddContactRelabelled, L"Add contact", L"Kontakt hinzufügen",
     L"Aggiungi contatto", L"Dodaj kontakt"},
    {T::ContactsItemShowAsOfflineRelabelled, L"Show as Offline", L"Als offline anzeigen",
     L"Mostra disconnesso", L"Niepołączony"},
};

static_assert(RowsCover(kRows, T::ContactsMenuFile, T::Count));

}  // namespace

const TextTable kContactsMenuTexts = {T::ContactsMenuFile, kRows,
                                      static_cast<int>(std::size(kRows))};
