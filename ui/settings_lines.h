// The twenty lines of the settings dialog: their stems (which name the four windows of a
// line), their page and row, and what the caption and value controls show.
#pragma once

#include <string>

#include "ui/texts.h"

inline constexpr int kSettingsLineCount = 20;

inline constexpr const wchar_t* kSettingStems[kSettingsLineCount] = {
    L"foreground", L"sound",        L"autodelay", L"tablesize",  L"save",
    L"skin",       L"whitechk",     L"blackchk",  L"whitedice",  L"blackdice",
    L"cube",       L"skiproll",     L"skipmove",  L"forcedmove", L"autobearoff",
    L"animate",    L"animatespeed", L"timestamp", L"enterexit",  L"font",
};

// The stems come in four runs, one per page: 2 Window (foreground..save), 1 Colors
// (skin..cube), 3 Table (skiproll..animatespeed), 4 Room (timestamp..font).
inline constexpr int kAnimateSpeedLine = 16;

constexpr int SettingsLinePage(int line) {
    if (line < 5) return 2;
    if (line < 11) return 1;
    if (line < 17) return 3;
    return 4;
}

// Row of the line on its page, 0 at the top.
constexpr int SettingsLineRow(int line) {
    if (line < 5) return line;
    if (line < 11) return line - 5;
    if (line < 17) return line - 11;
    return line - 17;
}

// y of the line's two frames in the dialog.
constexpr int SettingsLineTop(int line) {
    return 101 + 32 * SettingsLineRow(line);
}

// Frame and button bitmaps of a page (the button's pressed image is the next id).
constexpr int SettingsValueBitmap(int page) {
    return 63 + 4 * (page - 1);
}
constexpr int SettingsCaptionBitmap(int page) {
    return 65 + 4 * (page - 1);
}

// Whether the lines of `line` are shown while `page` is the current page: only the
// current page's lines, and the animation delay only while animation is on.
constexpr bool SettingsLineVisible(int line, int page, int animate) {
    if (SettingsLinePage(line) != page) return false;
    return line != kAnimateSpeedLine || animate == 1;
}

TextId SettingsCaption(int line);
// True for the lines whose value is a design swatch instead of a text.
bool SettingsLineHasSwatch(int line);
// The pending value's text, in `language`; empty for swatch lines.
std::wstring SettingsValueText(int line, int language);
// The swatch bitmap id for the pending value of a swatch line; 0 for the others.
int SettingsSwatchBitmap(int line);
