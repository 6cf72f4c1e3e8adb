// Texts of the settings dialog: title, hint, page tabs, line captions and values.
#include <iterator>

#include "ui/text_rows.h"

namespace {

using T = TextId;

constexpr TextRow kSettingsRows[] = {
    {T::SettingsTitle, L"Settings", L"Einstellungen", L"Impostazione", L"Ustawienia"},
    {T::SettingsHint, L"Click buttons to change values", L"Buttons klicken zum Werte ändern",
     L"Clicca per cambiare le scelte", L"Aby zmienić opcje proszę kliknąć przycisk"},
    {T::SettingsApply, L"Apply", L"Übernehmen", L"Applica", L"Zastosuj"},
    {T::PageColors, L"Colors", L"Farben", L"Colori", L"Kolory"},
    {T::PageWindow, L"Window", L"Fenster", L"Finestre", L"Okno"},
    {T::PageTable, L"Table", L"Tisch", L"Tavolo", L"Stół"},
    {T::PageRoom, L"Room", L"Raum", L"Stanza", L"Pokój"},

    {T::CaptionForeground, L"Show windows in foreground", L"Fenster im Vordergrund anzeigen",
     L"Finestre sempre in primo piano", L"Wyświetl okna na pierwszym planie"},
    {T::CaptionSound, L"Sound", L"Sound", L"Suono", L"Dźwięk"},
    {T::CaptionAutodelay, L"Delay for automated functions",
     L"Verzögerung für automatische Funktionen", L"Rallentare funzioni automatice",
     L"Czas oczekiwania dla funkcji automatycznych"},
    {T::CaptionTablesize, L"Table size", L"Tisch Grösse", L"Dimensioni tavola", L"Rozmiar stołu"},
    {T::CaptionSave, L"Matchlog format", L"Matchlog Format", L"Formato del matchlog",
     L"Format zapisu meczu"},
    {T::CaptionSkin, L"Table skin", L"Tisch Skin", L"Grafica tavolo", L"Skórka stołu"},
    {T::CaptionWhiteChecker, L"Checker Skin white", L"Spielsteine weiss", L"Pedine bianco",
     L"Piony białe"},
    {T::CaptionBlackChecker, L"Checker Skin black", L"Spielsteine schwarz", L"Pedine nero",
     L"Piony czarne"},
    {T::CaptionWhiteDice, L"Dice Skin white", L"Würfel weiss", L"Dadi bianco", L"Kości białe"},
    {T::CaptionBlackDice, L"Dice Skin black", L"Würfel schwarz", L"Dadi nero", L"Kości czarne"},
    {T::CaptionCube, L"Cube Skin", L"Cube Skin", L"Grafica cubo", L"Kostka dublująca"},
    {T::CaptionSkipRoll, L"Auto-roll when no option to cube",
     L"Auto-würfeln wenn nicht doppeln kann", L"Auto-roll quando impossibile cubare",
     L"Automatyczny rzut, gdy nie można dublować"},
    {T::CaptionSkipMove, L"Auto-end turn when no legal moves", L"Auto-Ende wenn nicht ziehen kann",
     L"Termina turno quando non c´é mosse", L"Koniec kolejki, gdy brak możliwości ruchu"},
    {T::CaptionForcedMove, L"Auto-play forced moves", L"Erzwungene Züge automatisch spielen",
     L"Mosse obbligate automatiche", L"Przesunięcie pionów dla wymuszonych ruchów"},
    {T::CaptionAutoBearOff, L"Auto-bear off", L"Automatisch Aussetzen", L"Uscita pedine automatica",
     L"Automatyczne zdejmowanie"},
    {T::CaptionAnimate, L"Animate checker moves", L"Züge animieren", L"Animazione mosse",
     L"Animacja dla pionów"},
    {T::CaptionAnimateSpeed, L"Animation delay", L"Animations-Verzögerung",
     L"Velocitá dell´animazione", L"Czas oczekiwania dla animacji"},
    {T::CaptionTimestamp, L"Show timestamp in chat", L"Zeitstempel im Chat anzeigen",
     L"Mostra orario nei messaggi", L"Pokaż czas na czacie"},
    {T::CaptionEnterExit, L"Show enter and exit notifications",
     L"Eingangs- und Ausgangsnachrichten anzeigen", L"Notifica entrate e uscite",
     L"Pokaż informacje o wejściu i wyjściu"},
    {T::CaptionFont, L"Font in chat", L"Font im Chat", L"Caratteri e colori della chat",
     L"Czcionka na czacie"},

    {T::ValueYes, L"Yes", L"Ja", L"Si", L"Tak"},
    {T::ValueNo, L"No", L"Nein", L"No", L"Nie"},
    {T::DelayNone, L"None", L"Keine", L"Zero", L"Brak"},
    {T::DelayFast, L"Fast", L"Schnell", L"Veloce", L"Długi"},
    {T::DelayMedium, L"Medium", L"Mittel", L"Medio", L"Średni"},
    {T::DelaySlow, L"Slow", L"Langsam", L"Lento", L"Krótki"},
    {T::SaveNone, L"None", L"Kein", L"Nessuno", L"Brak"},
    {T::SecondSingular, L" second", L" Sekunde", L" secondo", L" sekunda"},
    {T::SecondPlural, L" seconds", L" Sekunden", L" secondi", L" sekund"},
    {T::ValueClick, L"Click", L"Klick", L"Clicca", L"Kliknij"},
};

static_assert(RowsCover(kSettingsRows, T::SettingsTitle, T::ContactsMenuFile));

}  // namespace

const TextTable kSettingsTexts = {T::SettingsTitle, kSettingsRows,
                                  static_cast<int>(std::size(kSettingsRows))};
