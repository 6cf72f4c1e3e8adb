// Texts of the contacts window's menu bar.
#include <iterator>

#include "ui/text_rows.h"

namespace {

using T = TextId;

constexpr TextRow kContactsMenuRows[] = {
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
    {T::ContextAddToFriends, L"Add to friends", L"Zu Freunden hinzufügen", L"Aggiungi a amici",
     L"Dodaj do znajomych"},
    {T::ContextRemoveFromFriends, L"Remove from friends", L"Aus Freunden entfernen",
     L"Cancella da amici", L"Usuń ze znajomych"},
    {T::ContextAddToIgnored, L"Add to ignored", L"Ignorieren", L"Aggiungi a ignora",
     L"Dodaj do ignorowanych"},
    {T::ContextRemoveFromIgnored, L"Remove from ignored", L"Nicht mehr ignorieren",
     L"Cancella da ignora", L"Usuń z ignorowanych"},
    {T::ContextDeleteContact, L"Delete contact", L"Kontakt löschen", L"Cancella da contatti",
     L"Usuń kontakt"},
    {T::SystemMessageTitle, L"Tavlora - System Message", L"Tavlora - System Nachricht",
     L"Tavlora - Messagio di sistema", L"Tavlora - Wiadomość systemowa"},
    {T::AddContactAlreadyListed, L"Can not add contact.\r\nEntry already exist.",
     L"Kann Kontakt nicht hinzufügen.\r\nEintrag existiert bereits.",
     L"Impossibile aggiungere a contatti.\r\nIl contatto è già presente.",
     L"Nie można dodać kontaktu.\r\nWpis już istnieje."},
    {T::AddContactNoSuchNickname, L"Cannot add contact.\r\nNickname doesn\u00b4t exist.",
     L"Kann Kontakt nicht hinzufügen.\r\nNickname existiert nicht.",
     L"Impossibile aggiungere a contatti.\r\nIl nickname non esiste.",
     L"Nie można dodać kontaktu.\r\nNick nie istnieje."},
    {T::PresenceShownOfflineReported, L"Connected - Show as offline",
     L"Verbunden - Als offline anzeigen", L"Connesso - Mostra disconnesso",
     L"Połączony - Niewidoczny"},
};

static_assert(RowsCover(kContactsMenuRows, T::ContactsMenuFile, T::Count));

}  // namespace

const TextTable kContactsMenuTexts = {T::ContactsMenuFile, kContactsMenuRows,
                                      static_cast<int>(std::size(kContactsMenuRows))};
