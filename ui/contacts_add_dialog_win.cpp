// The add-contact dialog: its field submitted with Enter or the add button, left with
// Escape; a refused name shows the failure box.
#include "ui/contacts_window_win.h"

#include "lobby/contact_requests.h"
#include "net/hub_handles_win.h"
#include "ui/contacts_list.h"
#include "ui/families_win.h"
#include "ui/registry_win.h"
#include "ui/texts.h"

void SubmitAddContact() {
    HWND edit = WindowHandle(WinId::ContactsAddEdit);
    wchar_t typed[64] = {};
    GetWindowTextW(edit, typed, 64);
    SetWindowTextW(edit, L"");
    ShowWindow(WindowHandle(WinId::ContactsAdd), SW_HIDE);
    if (!RequestContactAddition(typed)) ShowAddContactFailure(0);
}

void ShowAddContactFailure(int resultCode) {
    MessageBoxW(WindowHandle(WinId::Contacts), Text(AddContactFailureText(resultCode)).c_str(),
                Text(TextId::SystemMessageTitle).c_str(), MB_ICONERROR | MB_TOPMOST);
}

LRESULT CALLBACK AddContactEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_RETURN) {
        SubmitAddContact();
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        SetWindowTextW(edit, L"");
        ShowWindow(WindowHandle(WinId::ContactsAdd), SW_HIDE);
        return 0;
    }
    // The characters of those keys must not reach the field.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == 0x1B)) return 0;
    return CallWindowProcW(PreviousEditProcedure(WinId::ContactsAddEdit), edit, message, wParam,
                           lParam);
}
