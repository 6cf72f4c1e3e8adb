// The contacts window's list, context menu and add dialog as the rest of the hub reaches
// them.
#pragma once

#include <windows.h>

// The display list rebuilt, its scroll range and page set, the list repainted.
void RefreshContactsList();
// The display list and both selections emptied, the scroll range reset (reconnect).
void ClearContactsList();
// The add dialog's text submitted (its add button and Enter).
void SubmitAddContact();
// The failure box of an add (the server's result code, or 0 for a name too short).
void ShowAddContactFailure(int resultCode);
// The context menu's window procedure.
LRESULT ContactsMenuProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
