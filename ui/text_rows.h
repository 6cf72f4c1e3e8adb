// One row per text: the English text and its translations. Shared by the text tables and
// the lookup; each table covers one contiguous run of TextId values.
#pragma once

#include <cstddef>

#include "ui/texts.h"

struct TextRow {
    TextId id;
    const wchar_t* english;
    const wchar_t* german;  // nullptr: the English text stays
    const wchar_t* italian;
    const wchar_t* polish;
};

struct TextTable {
    TextId first;
    const TextRow* rows;
    int count;
};

// True when rows[i] holds the id first + i for every i and the run ends just before `end`,
// so the lookup can index a table directly.
template <std::size_t N>
constexpr bool RowsCover(const TextRow (&rows)[N], TextId first, TextId end) {
    if (static_cast<int>(end) - static_cast<int>(first) != static_cast<int>(N)) return false;
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<int>(rows[i].id) != static_cast<int>(first) + static_cast<int>(i))
            return false;
    }
    return true;
}

extern const TextTable kMainTexts;          // HeaderFile .. PresenceOnline
extern const TextTable kDialogTexts;        // ErrorTitle .. AboutRightsReserved
extern const TextTable kSettingsTexts;      // SettingsTitle .. ValueClick
extern const TextTable kContactsMenuTexts;  // ContactsMenuFile .. the relabelled items
