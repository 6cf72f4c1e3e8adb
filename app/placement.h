// Where the main window and the contacts window go on the screen: the work area left by
// the taskbar, the screen-size check, centring and clamping into the work area.
#pragma once

#include "settings/settings.h"

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
    int x = 0, y = 0;
};

inline constexpr int kMainClientWidth = 640;
inline constexpr int kMainClientHeight = 480;
inline constexpr int kDefaultContactsWidth = 300;
inline constexpr int kDefaultContactsHeight = 400;

// The desktop's client rectangle corrected by the taskbar's rectangle (all zero when
// there is no taskbar).
ScreenRect WorkAreaFrom(ScreenRect desktop, ScreenRect taskbar);

// The outer size that gives the main window a 640 x 480 client area, from the sizes of
// its window and client rectangles.
struct OuterSize {
    int width = 0, height = 0;
};
OuterSize MainOuterSize(int windowWidth, int windowHeight, int clientWidth, int clientHeight);

bool ScreenTooSmall(ScreenRect work, OuterSize outer);
// Centre of the work area as the program has always computed it: the halves are of the
// right and bottom coordinates, each rounded toward zero.
ScreenPoint CentredPosition(ScreenRect work, OuterSize outer);
// Pulls a window of the given size into the work area: right and bottom edges first,
// then the left and top edges win.
ScreenPoint ClampIntoWorkArea(ScreenPoint position, OuterSize size, ScreenRect work);

// The contacts rectangle at start-up: the remembered one, or 300 x 400 at the work
// area's top right, pulled into the work area.
using ContactsPlace = ContactsRect;
ContactsPlace PlaceContacts(bool known, ContactsPlace remembered, ScreenRect work);
// After a display change: no larger than the work area, then pulled into it.
ContactsPlace FitContacts(ContactsPlace remembered, ScreenRect work);
// Whether the whole rectangle lies on the work area (only such a place is remembered
// when the user moves or sizes the contacts window).
bool LiesOnWorkArea(ContactsPlace place, ScreenRect work);
