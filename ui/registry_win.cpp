// Creation of the window registry and lookups by WinId and by handle.
#include "ui/registry_win.h"

#include <commctrl.h>

#include "session/session.h"
#include "settings/settings.h"
#include "ui/button_actions_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/language_port.h"
#include "ui/registry_table.h"
#include "ui/texts.h"

namespace {

HWND handles[kWindowCount];
WNDPROC previousEditProcedures[kWindowCount];

DWORD WindowStyle(std::uint16_t style) {
    DWORD result = 0;
    if (style & kChild) result |= WS_CHILD;
    if (style & kPopup) result |= WS_POPUP;
    if (style & kTopLevel) result |= WS_OVERLAPPEDWINDOW;
    if (style & kVisible) result |= WS_VISIBLE;
    if (style & kClipChildren) result |= WS_CLIPCHILDREN;
    if (style & kVerticalScroll) result |= WS_VSCROLL;
    if (style & kBorder) result |= WS_BORDER;
    if (style & kAutoHScroll) result |= ES_AUTOHSCROLL;
    if (style & kPassword) result |= ES_PASSWORD;
    if (style & kSizeGrip) result |= SBARS_SIZEGRIP;
    return result;
}

DWORD ExtendedStyle(const RegistryEntry& entry) {
    bool topmost = (entry.style & kTopmost) || (entry.id == WinId::Contacts && contactsOnTop == 1);
    return topmost ? WS_EX_TOPMOST : 0;
}

std::wstring InitialText(WinId id) {
    switch (id) {
        case WinId::LoginUserEdit:
            return loginUserName;
        case WinId::LoginPasswordEdit:
            return loginPassword;
        case WinId::Contacts:
            return Text(TextId::ContactsTitle);
        default:
            return std::wstring();
    }
}

// The three edits: 15 characters, the small font, and our own procedure in front.
void PrepareEdit(WinId id, WNDPROC procedure) {
    HWND edit = handles[static_cast<int>(id)];
    SendMessageW(edit, EM_LIMITTEXT, 15, 0);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont), FALSE);
    previousEditProcedures[static_cast<int>(id)] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

bool CreateWindowRegistry(HWND main) {
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main, GWLP_HINSTANCE));
    handles[static_cast<int>(WinId::Main)] = main;
    for (int i = 1; i < kWindowCount; ++i) {
        const RegistryEntry& entry = kRegistry[i];
        HWND parent = entry.parent == kNoParent ? nullptr : handles[static_cast<int>(entry.parent)];
        handles[i] =
            CreateWindowExW(ExtendedStyle(entry), entry.className, InitialText(entry.id).c_str(),
                            WindowStyle(entry.style), entry.x, entry.y, entry.width, entry.height,
                            parent, nullptr, instance, nullptr);
        if (handles[i] == nullptr) return false;
    }
    PrepareEdit(WinId::LoginUserEdit, LoginEditProcedure);
    PrepareEdit(WinId::LoginPasswordEdit, LoginEditProcedure);
    PrepareEdit(WinId::ContactsAddEdit, AddContactEditProcedure);
    if (language >= 1 && language <= 4) LanguagePortSetFlagCursors(language);
    SetChoiceCursors();
    return true;
}

HWND WindowHandle(WinId id) {
    int index = static_cast<int>(id);
    return index >= 0 && index < kWindowCount ? handles[index] : nullptr;
}

WinId WindowIdOf(HWND window) {
    if (window == nullptr) return WinId::Count;
    for (int i = 0; i < kWindowCount; ++i) {
        if (handles[i] == window) return static_cast<WinId>(i);
    }
    return WinId::Count;
}

WNDPROC PreviousEditProcedure(WinId edit) {
    int index = static_cast<int>(edit);
    return index >= 0 && index < kWindowCount ? previousEditProcedures[index] : nullptr;
}
