// Window placement arithmetic.
#include "app/placement.h"

#include <algorithm>

ScreenRect WorkAreaFrom(ScreenRect desktop, ScreenRect taskbar) {
    ScreenRect work = desktop;
    if (taskbar.left > 0) work.right = taskbar.left;  // taskbar on the right
    if (taskbar.top > 0) work.bottom = taskbar.top;   // taskbar at the bottom
    if (taskbar.left == 0 && taskbar.top == 0) {
        if (taskbar.bottom < work.bottom) work.top = taskbar.bottom;  // at the top
        if (taskbar.right < work.right) work.left = taskbar.right;    // on the left
    }
    return work;
}

OuterSize MainOuterSize(int windowWidth, int windowHeight, int clientWidth, int clientHeight) {
    return {kMainClientWidth + windowWidth - clientWidth,
            kMainClientHeight + windowHeight - clientHeight};
}

bool ScreenTooSmall(ScreenRect work, OuterSize outer) {
    return outer.width > work.width() || outer.height > work.height();
}

ScreenPoint CentredPosition(ScreenRect work, OuterSize outer) {
    return {work.left + work.right / 2 - outer.width / 2,
            work.top + work.bottom / 2 - outer.height / 2};
}

ScreenPoint ClampIntoWorkArea(ScreenPoint position, OuterSize size, ScreenRect work) {
    if (position.x + size.width > work.right) position.x = work.right - size.width;
    if (position.y + size.height > work.bottom) position.y = work.bottom - size.height;
    position.x = std::max(position.x, work.left);
    position.y = std::max(position.y, work.top);
    return position;
}

namespace {
ContactsPlace Clamp(ContactsPlace place, ScreenRect work) {
    ScreenPoint corner =
        ClampIntoWorkArea({place.left, place.top}, {place.width, place.height}, work);
    place.left = corner.x;
    place.top = corner.y;
    return place;
}
}  // namespace

ContactsPlace PlaceContacts(bool known, ContactsPlace remembered, ScreenRect work) {
    if (!known) {
        remembered = {work.right - kDefaultContactsWidth, work.top, kDefaultContactsWidth,
                      kDefaultContactsHeight};
    }
    return Clamp(remembered, work);
}

ContactsPlace FitContacts(ContactsPlace remembered, ScreenRect work) {
    remembered.width = std::min(remembered.width, work.width());
    remembered.height = std::min(remembered.height, work.height());
    return Clamp(remembered, work);
}

bool LiesOnWorkArea(ContactsPlace place, ScreenRect work) {
    // Summed in 64 bits: a window moved far off the screen must not wrap back onto it.
    const long long right = static_cast<long long>(place.left) + place.width;
    const long long bottom = static_cast<long long>(place.top) + place.height;
    return place.left >= work.left && place.top >= work.top && right <= work.right &&
           bottom <= work.bottom;
}
