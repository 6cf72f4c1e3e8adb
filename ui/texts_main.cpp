// Texts of the main window, its header menus, tabs and panels, the connect window, the
// status line and the contacts window.
#include <iterator>

#include "ui/text_rows.h"

namespace {

using T = TextId;

constexpr TextRow kMainRows[] = {
    {T::HeaderFile, L"File", L"Datei", L"File", L"Plik"},
    {T::HeaderOptions, L"Options", L"Optionen", L"Opzioni", L"Opcje"},
    {T::HeaderWebsite, L"Website", L"Webseite", L"Sito web", L"Strona www"},
    {T::HeaderHelp, L"Help", L"Hilfe", L"Help", L"Pomoc"},
    {T::MenuExit, L"Exit", L"Beenden", L"Chiudi", L"Wyjście"},
    {T::MenuAdministration, L"Administration", L"Administration", L"Amministratione",
     L"Administracja"},
    {T::MenuSettings, L"Settings", L"Einstellungen", L"Impostazione", L"Ustawienia"},
    {T::MenuShowContacts, L"Show contacts", L"Kontakte anzeigen", L"Mostra contatti",
     L"Pokaż kontakty"},
    {T::MenuHideContacts, L"Hide contacts", L"Kontakte verstecken", L"Nascondi contatti",
     L"Ukryj kontakty"},
    {T::MenuHomepage, L"Homepage", L"Homepage", L"Homepage", L"Strona domowa"},
    {T::MenuMyAccount, L"My Account", L"Mein Konto", L"Il mio account", L"Moje konto"},
    {T::MenuCashier, L"Cashier", L"Kasse", L"Cassa", L"Bank"},
    {T::MenuFaq, L"FAQ", L"FAQ", L"FAQ", L"FAQ"},
    {T::MenuAbout, L"About", L"Info", L"Informazioni", L"Informacje"},

    {T::TabRooms, L"Rooms", L"Räume", L"Sale gioco", L"Pokoje gier"},
    {T::TabTournaments, L"Tournaments", L"Turniere", L"Tornei", L"Turnieje"},
    {T::TabCashier, L"Cashier", L"Kasse", L"Cassa", L"Bank"},
    {T::NewsTitle, L"News", L"News", L"News", L"Nowości"},
    {T::LogOff, L"Log off", L"Ausloggen", L"Esci", L"Wyloguj"},
    {T::EnterRoom, L"Enter room", L"Zum Raum", L"Entra", L"Wejście do pokoju"},
    {T::CashOut, L"Cash Out", L"Auszahlung", L"Preleva", L"Wypłać"},
    {T::Deposit, L"Deposit", L"Einzahlung", L"Deposita", L"Depozyt"},
    {T::ResetPlayMoney, L"Reset", L"Reset", L"Ripristina", L"Reset"},
    {T::AccountNickname, L"Nickname:", L"Nickname:", L"Nickname:", L"Nick:"},
    {T::AccountBalance, L"Account balance:", L"Kontostand:", L"Saldo contabile:", L"Stan konta:"},
    {T::AccountPlayMoney, L"Playmoney:", L"Spielgeld:", L"Soldi finti:", L"Żetony:"},
    {T::AccountTokens, L"Tokens:", L"Tokens:", L"Gettoni:", L"Tokeny:"},
    {T::NoRoomsFound, L"No rooms found", L"Keine Räume gefunden", L"Nessuna sala trovata",
     L"Nie znaleziono pokoi"},
    {T::NoTournamentsFound, L"No tournaments found", L"Keine Turniere gefunden",
     L"Nessun torneo trovata", L"Nie znaleziono turnieju"},
    {T::MoneyKindReal, L"Real money", L"Echtgeld", L"Soldi veri", L"Pieniądze"},
    {T::MoneyKindPlay, L"Play money", L"Spielgeld", L"Soldi finti", L"Żetony"},
    {T::MoneyKindFree, L"Free", L"Frei", L"Sociale", L"Ogólny"},
    {T::RoomLocked, L"Locked", L"Geschlossen", L"Bloccata", L"Zamknięty"},
    {T::ColumnName, L"Name", L"Name", L"Nome", L"Nazwa"},
    {T::ColumnType, L"Type", L"Type", L"Tipo", L"Type"},
    {T::ColumnPlayers, L"Players", L"Spieler", L"Giocatori", L"Gracze"},
    {T::Cancel, L"Cancel", L"Abbrechen", L"Annulla", L"Anuluj"},
    {T::Ok, L"OK", L"OK", L"OK", L"OK"},

    {T::WelcomePrefix, L"Welcome ", L"Willkommen ", L"Benvenuto ", L"Witaj "},
    {T::UsersWord, L" users", L" User", L" utenti", L" użytkowników"},
    {T::OnlineWord, L" online", L" online", L" connessi", L" online"},
    {T::RoomsWord, L" rooms", L" Räume", L" sale", L" pokoje"},
    {T::TablesWord, L" tables", L" Tische", L" tavoli", L" stołów"},

    {T::ConnectConnecting, L"Connecting ...", L"Verbindungsaufbau ...", L"Connessione in corso ...",
     L"Łączenie ..."},
    {T::ConnectLoading, L"Loading data ... Please wait", L"Lade Daten ... Bitte warten",
     L"Controllo dati ... Attendere prego", L"Ładowanie danych ... Proszę czekać"},
    {T::ConnectReconnecting, L"Attempting to reconnect ...", L"Versuche neue Verbindung ...",
     L"Tentativo di nuova connessione ...", L"Ponowne łączenie ..."},
    {T::ConnectLoggingIn, L"Logging in ... Please wait", L"Einloggen ... Bitte warten",
     L"Controllo dati ... Attendere prego", L"Logowanie ... Proszę czekać"},
    {T::StatusOffline, L"Offline", L"Nicht verbunden", L"Disconnesso", L"Offline"},
    {T::StatusConnected, L"Connected to Tavlora", L"Verbunden mit Tavlora", L"Collegato a Tavlora",
     L"Połączenie z Tavlora"},

    {T::ScreenTooSmallCaption, L"ERROR", L"ERROR", L"ERRORE", L"BŁĄD"},
    {T::ScreenTooSmallText,
     L"Screen resolution too small\r\ncannot display Window.\r\nProgram will close now.",
     L"Bildschirm Auflösung zu klein,\r\nkann Fenster nicht anzeigen.\r\nProgramm wird "
     L"geschlossen.",
     L"Risoluzione dello schermo\r\ntroppo piccolo per la finestra.\r\nIl programma verrà "
     L"chiuso.",
     L"Za mała rozdzielczość ekranu\r\nnie można wyświetlić okna.\r\nProgram zostanie "
     L"zamknięty."},

    {T::StartFailedText, L"Tavlora cannot create its windows.\r\nProgram will close now.",
     L"Tavlora kann seine Fenster nicht anlegen.\r\nProgramm wird geschlossen.",
     L"Tavlora non può creare le sue finestre.\r\nIl programma verrà chiuso.",
     L"Tavlora nie może utworzyć swoich okien.\r\nProgram zostanie zamknięty."},

    {T::ContactsTitle, L"Contacts", L"Kontakte", L"Contatti", L"Kontakty"},
    {T::AddContactTitle, L"Add Contact", L"Kontakt hinzufügen", L"Aggiungi contatto",
     L"Dodaj kontakt"},
    {T::PresenceOffline, L"Offline", L"Nicht verbunden", L"Disconnesso", L"Offline"},
    {T::PresenceShowAsOffline, L"Connected - Show as Offline", L"Verbunden - Als offline anzeigen",
     L"Connesso - Mostra disconnesso", L"Połączony - Niewidoczny"},
    {T::PresenceDoNotDisturb, L"Connected - Do not disturb", L"Verbunden - Bitte nicht stören",
     L"Connesso - Non disturbare", L"Połączony - Nie przeszkadzać"},
    {T::PresenceAway, L"Connected - Away", L"Verbunden - Abwesend", L"Connesso - Non al computer",
     L"Połączony - Zaraz wracam"},
    {T::PresenceOnline, L"Connected - Online", L"Verbunden - Online", L"Connesso - Online",
     L"Połączony - Online"},
};

static_assert(RowsCover(kMainRows, T::HeaderFile, T::ErrorTitle));

}  // namespace

const TextTable kMainTexts = {T::HeaderFile, kMainRows, static_cast<int>(std::size(kMainRows))};
