// The user's options and remembered window places (config.ini), and the chat font
// (config.dat). Most options exist twice: the committed value, which the program uses
// and saves, and the pending value, which the settings dialog edits until Apply.
// Main window's thread only.
#pragma once

#include <cstdint>
#include <span>

// Largest values; the reader and the settings dialog both bound by them.
inline constexpr int kMaxLanguage = 4;
inline constexpr int kMaxTableSize = 4;
inline constexpr int kMaxSave = 3;
inline constexpr int kMaxSkin = 4;
inline constexpr int kMaxChecker = 32;  // one maximum for both colours
inline constexpr int kMaxDice = 4;      // one maximum for both colours
inline constexpr int kMaxCube = 4;
inline constexpr int kMaxAutodelay = 4;
inline constexpr int kMaxAnimateSpeed = 5;
inline constexpr int kMaxSortMode = 5;

// Key 1: outer top-left of the main window.
extern bool mainWindowPositionKnown;
extern int mainWindowLeft, mainWindowTop;
// The one way to change it: config.ini, or the start-up placement when config.ini had none.
void SetMainWindowPosition(int left, int top);
// Key 2: contacts window rectangle, known once config.ini or the start-up placement gave it.
struct ContactsRect {
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const ContactsRect&) const = default;
};
extern bool contactsRectKnown;
extern ContactsRect contactsRect;
// The one way to change it: config.ini, the start-up placement, a display change and the
// window's own moves all come through here, and it is known from then on.
void SetContactsRect(ContactsRect rect);

extern int language;  // key 4: 1 English, 2 German, 3 Italian, 4 Polish
inline constexpr int kLanguageKey = 4;

// Keys 5..23: committed value and pending twin.
extern int foreground, foregroundPending;      // 5
extern int sound, soundPending;                // 6
extern int autodelay, autodelayPending;        // 7
extern int tablesize, tablesizePending;        // 8
extern int save, savePending;                  // 9
extern int skin, skinPending;                  // 10
extern int whitechk, whitechkPending;          // 11
extern int blackchk, blackchkPending;          // 12
extern int whitedice, whitedicePending;        // 13
extern int blackdice, blackdicePending;        // 14
extern int cube, cubePending;                  // 15
extern int skiproll, skiprollPending;          // 16
extern int skipmove, skipmovePending;          // 17
extern int forcedmove, forcedmovePending;      // 18
extern int autobearoff, autobearoffPending;    // 19
extern int animate, animatePending;            // 20
extern int animatespeed, animatespeedPending;  // 21
extern int timestamp, timestampPending;        // 22
extern int enterexit, enterexitPending;        // 23
inline constexpr int kSoundKey = 6;

// Keys 24..29: single values, set through SetSetting below: the room lists' column heads
// and the contacts window's options (its menus and the main window's Options menu).
extern int RoomSortMode;
extern int TournamentSortMode;
extern int contactsAtLogin;
extern int contactsOnTop;
extern int contactSortOrder;
extern int showIgnored;
inline constexpr int kRoomSortModeKey = 24, kTournamentSortModeKey = 25, kContactsAtLoginKey = 26,
                     kContactsOnTopKey = 27, kContactSortOrderKey = 28, kShowIgnoredKey = 29;

// config.dat: a LOGFONTW (92 bytes, Windows layout) and a COLORREF, kept as raw bytes
// so the portable code needs no Windows types. All zero selects the system font.
inline constexpr int kChatFontBytes = 92;
extern unsigned char chatFont[kChatFontBytes];
extern std::uint32_t chatFontColour;
// The one way to change them: config.dat and the font dialog.
void SetChatFont(const void* record, std::uint32_t colour);

// How config.ini's value text is taken for an option of keys 4..29.
enum class SettingRule {
    InRange,       // a decimal number from `minimum` to `*maximum`
    ZeroTurnsOff,  // only the exact text "0" changes the option, to 0
    OneTurnsOn,    // only the exact text "1" changes the option, to 1
};

// One option of keys 4..29: what the reader, the writer and the reset need.
struct SettingRow {
    int key;
    const int* committed;
    const int* pending;  // nullptr when the option has no pending twin
    SettingRule rule;
    int minimum;  // InRange only
    int maximum;  // InRange only
    int defaultValue;
};

// The options of keys 4..29, in ascending key order (the order config.ini lists them).
std::span<const SettingRow> SettingRows();

// The one way to change an option of keys 4..29 outside the settings dialog (config.ini,
// the language): the value in force and its pending twin. Nothing for another key.
void SetSetting(int key, int value);
// The settings dialog's edits: the pending twin at `pending` (one of the table's) takes
// `value`; Apply puts every pending value in force; Cancel puts every one back.
void SetPendingSetting(const int* pending, int value);
void CommitPendingSettings();
void RevertPendingSettings();

// Restores every value above to its built-in default.
void ResetSettingsToDefaults();

// Start-up: if the black design equals the white one, black moves one up, wrapping
// past the maximum to 1; for dice and checkers. Committed and pending take the result.
void MakePlayerColoursDistinct();
