// The contacts window as data: the display list joined from the contact relations and
// the players, its order and paging, the context menu's rows, place and messages, and
// the add dialog's check. The Win32 side draws and routes input from these.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/texts.h"

struct ContactRow {
    std::int32_t contactId = 0, playerId = 0;
    std::wstring name;
    std::int32_t relation = 0;  // 0 friend, 1 plain, 2 ignored
    std::int32_t presence = 0;  // the player's status
};

inline constexpr int kContactRowHeight = 17;

extern std::vector<ContactRow> contactRows;  // owned here, changed only by the rebuild
extern std::int32_t selectedContactId;       // 0 = none
extern std::int32_t contextContactId;        // the contact the context menu acts on

void SetSelectedContact(std::int32_t contactId);
void SetContextContact(std::int32_t contactId);
// Empties the display list and both selections (before a reconnect).
void ClearContactRows();

// Rebuilds the display list from the relations and the players by the sort order and
// the ignored option; drops a selection that is no longer listed.
void RebuildContactRows();

// Name order: ASCII letters lowered, then code unit by code unit, shorter prefix first.
bool ContactNameLess(const std::wstring& a, const std::wstring& b);

// Rows a list of this client height shows.
inline int ContactsPage(int clientHeight) {
    return clientHeight > 0 ? clientHeight / kContactRowHeight : 0;
}
// The display row under client y with the list scrolled to `scroll`; -1 when none.
int ContactRowAt(int y, int scroll);
// The row holding `contactId`, or -1.
int ContactRowOf(std::int32_t contactId);

// --- Context menu ---

inline constexpr int kContextMenuWidth = 200, kContextMenuHeight = 108;

enum ContextMenuRow : int {
    CONTEXT_NONE = 0,
    CONTEXT_PRIVATE_MESSAGE = 1,
    CONTEXT_FRIENDS = 2,
    CONTEXT_IGNORE = 3,
    CONTEXT_DELETE = 4,
};

// The menu's geometry, the one place it is written: the name line on top, then four rows
// of kContextMenuRowHeight from kContextMenuFirstRowTop, each text a pixel below its top.
inline constexpr int kContextMenuFirstRowTop = 23, kContextMenuRowHeight = 21;
inline constexpr int kContextMenuNameTop = 2, kContextMenuTextLeft = 4;
constexpr int ContextMenuRowTop(int row) {
    return kContextMenuFirstRowTop + (row - 1) * kContextMenuRowHeight;
}
// The row under menu client y (the highlight band and the click).
int ContextMenuRowAt(int y);
// Whether a click at menu client (x, y) falls on the menu.
bool InsideContextMenu(int x, int y);

struct MenuPlace {
    int x = 0, y = 0;
};
// The menu's top-left for a pointer at screen (x, y), kept inside the window's screen
// rectangle (left, top, right, bottom).
MenuPlace PlaceContextMenu(int pointerX, int pointerY, int left, int top, int right, int bottom);

// The five texts of the menu for a contact, top to bottom; the private message row is
// empty when the contact cannot take one.
struct ContextMenuTexts {
    std::wstring name, privateMessage, friends, ignore, remove;
};
ContextMenuTexts ContextMenuTextsFor(const ContactRow& contact);

// A click on a menu row: the relation or deletion it asks the server for; true when a
// conversation with the contact is to open instead.
bool ContextMenuClick(int row, const ContactRow& contact);

// --- Add dialog ---

// The failure text for an add result code (also for a name too short: any code but 2).
TextId AddContactFailureText(int resultCode);
