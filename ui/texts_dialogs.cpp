// Texts of the error dialog, the login dialog and the about box.
#include <iterator>

#include "ui/text_rows.h"

namespace {

using T = TextId;

constexpr TextRow kDialogsRows[] = {
    {T::ErrorTitle, L"ERROR", L"FEHLER", L"ERRORE", L"BŁĄD"},
    {T::ErrorCancel, L"Cancel", L"Abbrechen", L"Annulla", L"Anuluj"},
    {T::ErrorNoConnection, L"No connection to server.", L"Keine Verbindung zum Server.",
     L"Nessuna connessione con il server.", L"Brak połączenia z serwerem."},
    {T::ErrorClickOkRetry, L"Click OK to try again.", L"Klick OK für neuen Versuch.",
     L"Click su OK per riprovare.", L"Kliknij OK aby spróbować jeszcze raz."},
    {T::ErrorCancelToExit, L"Cancel to exit.", L"Abbrechen zum Schliessen.", L"Annulla per uscire.",
     L"Anuluj aby wyjść."},
    {T::ErrorVersionObsolete, L"Software version obsolete.", L"Software version veraltet.",
     L"Versione software scaduta.", L"Przestarzała wersja oprogramowania."},
    {T::ErrorClickOkDownload, L"Click OK to download the latest version.",
     L"Klick OK zum Download der neuen Version.", L"Click su OK per scricare la nuova versione.",
     L"Kliknij OK aby ściągnąć najnowszą wersję."},
    {T::ErrorLostConnection, L"Lost connection to server.", L"Verbindung abgebrochen.",
     L"Disconnesso.", L"Utrata połączenia z serwerem."},
    {T::ErrorWrongNameOrPassword, L"Wrong name or password.", L"Name oder Passwort falsch.",
     L"Nome o password errati.", L"Nieprawidłowa nazwa lub hasło."},
    {T::ErrorClosedByServer, L"Connection closed by server.", L"Verbindung vom Server beendet.",
     L"Connessione chiusa dal server.", L"Połączenie zakończone przez serwer."},
    {T::ErrorDoubleLogin, L"Double login detected.", L"Doppeltes Login gefunden.",
     L"Trovato un dopio login.", L"Wykryto podwójne połączenie."},
    {T::ErrorProgramWillClose, L"Program will close now.", L"Programm wird geschlossen.",
     L"Il programma verrà chiuso.", L"Program zostanie zamknięty."},
    {T::ErrorNotActivated, L"Account not activated.", L"Konto nicht aktiviert.",
     L"Account non attivato.", L"Konto nie zostało aktywowane."},
    {T::ErrorClickOkActivate, L"Click OK to activate now.", L"OK klicken um jetzt zu aktivieren.",
     L"Click su OK per attivarlo ora.", L"Kliknij ok, żeby aktywować."},
    {T::ErrorAccountHasBeen, L"This account has been", L"Dieses Konto wurde", L"Questo conto è",
     L"Twoje konto zostało"},
    {T::ErrorTemporarilySuspended, L"(temporary) suspended.", L"(vorübergehend) deaktiviert.",
     L"(temporaneamente) sospeso.", L"(tymczasowo) zablokowane."},
    {T::ErrorContactSupport, L"Please contact support.", L"Bitte an den Support wenden.",
     L"Per favore contattate il support.", L"Skontaktuj się proszę z supportem."},
    {T::ErrorDeactivatedByAdmin, L"Account deactivated by Admin.",
     L"Konto wurde vom Admin deaktiviert.", L"Conto disattivato dall'Admin.",
     L"Konto zdeaktywowane przez admina."},
    {T::ErrorNewActivationCode, L"A new activation code was sent",
     L"Ein neuer Aktivierungscode wurde an die", L"È stato inviato un nuovo codice di",
     L"Nowy kod aktywacyjny został wysłany"},
    {T::ErrorToYourEmail, L"to your e-mail address.", L"entsprechende E-Mail Adresse geschickt.",
     L"attivazione alla vostra e-mail.", L"na twój email."},
    {T::ErrorScreenTooSmall, L"Screen resolution too small,", L"Bildschirm Auflösung zu klein,",
     L"Risoluzione dello schermo", L"Za mała rozdzielczość ekranu"},
    {T::ErrorCannotDisplayTable, L"cannot display table.", L"kann Tisch nicht anzeigen.",
     L"troppo piccolo per il tavolo.", L"nie można wyświetlić stołu."},

    // The login dialog speaks English in every language.
    {T::LoginTitle, L"Log In", nullptr, nullptr, nullptr},
    {T::LoginUserName, L"Username", nullptr, nullptr, nullptr},
    {T::LoginPassword, L"Password", nullptr, nullptr, nullptr},
    {T::LoginNewSignup, L"New Player Signup", nullptr, nullptr, nullptr},
    {T::LoginLostPassword, L"Lost Password", nullptr, nullptr, nullptr},

    {T::AboutTitle, L"About", L"Info", L"Informazioni", L"Informacje"},
    {T::AboutVersionCaption, L"Current version", L"Aktuelle Version", L"Versione attuale",
     L"Bieżąca wersja"},
    {T::AboutVersionLine, L"Beta V0.6.3 Build 73", nullptr, nullptr, nullptr},
    {T::AboutProgramming, L"Programming", L"Programmierung", L"Programmazione", L"Programista"},
    {T::AboutGraphics, L"Graphics", L"Grafik", L"Grafica", L"Autorzy grafiki"},
    {T::AboutTranslations, L"Translations", L"Übersetzungen", L"Traduzioni", L"Tłumacze"},
    {T::AboutYearLine, L"© 2008-2025 Tavlora", nullptr, nullptr, nullptr},
    {T::AboutRightsReserved, L"All rights reserved", L"Alle Rechte vorbehalten",
     L"Tutti i diritti riservati", L"Wszystkie prawa zastrzeżone"},
};

static_assert(RowsCover(kDialogsRows, T::ErrorTitle, T::SettingsTitle));

}  // namespace

const TextTable kDialogTexts = {T::ErrorTitle, kDialogsRows,
                                static_cast<int>(std::size(kDialogsRows))};
