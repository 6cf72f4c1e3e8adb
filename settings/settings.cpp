// The settings variables and the one table of options that the config.ini reader, its
// writer and the reset all walk, so a key's range and default are stated only once.
#include "settings/settings.h"

#include <cstring>
#include <iterator>

bool mainWindowPositionKnown;
int mainWindowLeft, mainWindowTop;
bool contactsRectKnown;
ContactsRect contactsRect;

int language;

int foreground, foregroundPending;
int sound, soundPending;
int autodelay, autodelayPending;
int tablesize, tablesizePending;
int save, savePending;
int skin, skinPending;
int whitechk, whitechkPending;
int blackchk, blackchkPending;
int whitedice, whitedicePending;
int blackdice, blackdicePending;
int cube, cubePending;
int skiproll, skiprollPending;
int skipmove, skipmovePending;
int forcedmove, forcedmovePending;
int autobearoff, autobearoffPending;
int animate, animatePending;
int animatespeed, animatespeedPending;
int timestamp, timestampPending;
int enterexit, enterexitPending;

int RoomSortMode;
int TournamentSortMode;
int contactsAtLogin;
int contactsOnTop;
int contactSortOrder;
int showIgnored;

unsigned char chatFont[kChatFontBytes];
std::uint32_t chatFontColour;

namespace {

using enum SettingRule;

constexpr SettingRow kRows[] = {
    {kLanguageKey, &language, nullptr, InRange, 1, kMaxLanguage, 1},
    {5, &foreground, &foregroundPending, ZeroTurnsOff, 0, 0, 1},
    {kSoundKey, &sound, &soundPending, ZeroTurnsOff, 0, 0, 1},
    {7, &autodelay, &autodelayPending, InRange, 1, kMaxAutodelay, 2},
    {8, &tablesize, &tablesizePending, InRange, 1, kMaxTableSize, 3},
    {9, &save, &savePending, InRange, 0, kMaxSave, 2},
    {10, &skin, &skinPending, InRange, 1, kMaxSkin, 2},
    {11, &whitechk, &whitechkPending, InRange, 1, kMaxChecker, 1},
    {12, &blackchk, &blackchkPending, InRange, 1, kMaxChecker, 3},
    {13, &whitedice, &whitedicePending, InRange, 1, kMaxDice, 1},
    {14, &blackdice, &blackdicePending, InRange, 1, kMaxDice, 3},
    {15, &cube, &cubePending, InRange, 1, kMaxCube, 2},
    {16, &skiproll, &skiprollPending, ZeroTurnsOff, 0, 0, 1},
    {17, &skipmove, &skipmovePending, ZeroTurnsOff, 0, 0, 1},
    {18, &forcedmove, &forcedmovePending, ZeroTurnsOff, 0, 0, 1},
    {19, &autobearoff, &autobearoffPending, ZeroTurnsOff, 0, 0, 1},
    {20, &animate, &animatePending, ZeroTurnsOff, 0, 0, 1},
    {21, &animatespeed, &animatespeedPending, InRange, 0, kMaxAnimateSpeed, 1},
    {22, &timestamp, &timestampPending, OneTurnsOn, 0, 0, 0},
    {23, &enterexit, &enterexitPending, ZeroTurnsOff, 0, 0, 1},
    {kRoomSortModeKey, &RoomSortMode, nullptr, InRange, 0, kMaxSortMode, 0},
    {kTournamentSortModeKey, &TournamentSortMode, nullptr, InRange, 0, kMaxSortMode, 0},
    {kContactsAtLoginKey, &contactsAtLogin, nullptr, ZeroTurnsOff, 0, 0, 1},
    {kContactsOnTopKey, &contactsOnTop, nullptr, ZeroTurnsOff, 0, 0, 1},
    {kContactSortOrderKey, &contactSortOrder, nullptr, ZeroTurnsOff, 0, 0, 1},
    {kShowIgnoredKey, &showIgnored, nullptr, ZeroTurnsOff, 0, 0, 1},
};

// The table's pointers are const for its readers; they point at the variables above.
int& Variable(const int* pointer) {
    return *const_cast<int*>(pointer);
}

// Black moves one design up, past the maximum back to 1, when it equals white.
void MakeDistinct(int white, int& black, int& blackPending, int maximum) {
    if (black != white) return;
    black = black + 1 > maximum ? 1 : black + 1;
    blackPending = black;
}

// The variables start at their defaults before any start-up code reads them.
const bool settingsStartAtDefaults = (ResetSettingsToDefaults(), true);

}  // namespace

std::span<const SettingRow> SettingRows() {
    return kRows;
}

void SetContactsRect(ContactsRect rect) {
    contactsRect = rect;
    contactsRectKnown = true;
}

void ResetSettingsToDefaults() {
    mainWindowPositionKnown = false;
    mainWindowLeft = mainWindowTop = 0;
    contactsRectKnown = false;
    contactsRect = {};
    for (const SettingRow& row : kRows)
        SetSetting(row.key, row.defaultValue);
    std::memset(chatFont, 0, sizeof chatFont);
    chatFontColour = 0;
}

void MakePlayerColoursDistinct() {
    MakeDistinct(whitedice, blackdice, blackdicePending, kMaxDice);
    MakeDistinct(whitechk, blackchk, blackchkPending, kMaxChecker);
}

void SetSetting(int key, int value) {
    for (const SettingRow& row : kRows) {
        if (row.key != key) continue;
        Variable(row.committed) = value;
        if (row.pending != nullptr) Variable(row.pending) = value;
    }
}

void SetPendingSetting(const int* pending, int value) {
    for (const SettingRow& row : kRows)
        if (pending != nullptr && row.pending == pending) Variable(row.pending) = value;
}

void CommitPendingSettings() {
    for (const SettingRow& row : kRows)
        if (row.pending != nullptr) Variable(row.committed) = *row.pending;
}

void RevertPendingSettings() {
    for (const SettingRow& row : kRows)
        if (row.pending != nullptr) Variable(row.pending) = *row.committed;
}

void SetMainWindowPosition(int left, int top) {
    mainWindowLeft = left;
    mainWindowTop = top;
    mainWindowPositionKnown = true;
}

void SetChatFont(const void* record, std::uint32_t colour) {
    std::memcpy(chatFont, record, kChatFontBytes);
    chatFontColour = colour;
}
