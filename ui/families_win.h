// The window procedure of each control family. A class's own procedure names its row of
// kWindowClasses and calls its family's procedure with it.
#pragma once

#include <windows.h>

#include <string>

using FamilyProcedureFn = LRESULT (*)(int row, HWND window, UINT message, WPARAM wParam,
                                      LPARAM lParam);

// Dispatches to the family of `row`; answers WM_ERASEBKGND for every family.
LRESULT FamilyProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Push buttons (ui/family_buttons_win.cpp).
// The label or value a push button of any family shows; empty for the icon buttons.
std::wstring PushButtonText(int row);
LRESULT IconButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TextButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT LinkButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ColumnHeadProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CaptionButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CycleButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SwatchButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Tabs, pages and flags (ui/family_tabs_win.cpp).
LRESULT TabButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PageTabButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PageImageProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT TabAreaProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT FlagButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Images and panels (ui/family_panels_win.cpp).
std::wstring NewsText();                               // title and lines
std::wstring DropdownPanelText(int row, HWND window);  // the rows it shows
LRESULT StaticImageProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A window that only shows `bitmap`: painted on WM_PAINT, the default for the rest.
LRESULT ImageOnlyProcedure(int bitmap, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT NewsProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The header menu bar (ui/header_menu_win.cpp).
std::wstring HeaderMenuBarText();  // the four titles
LRESULT HeaderMenuBarProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DropdownPanelProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Room and tournament list views (ui/list_view_win.cpp).
LRESULT ListViewProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Account panel and clock (ui/account_panel_win.cpp, ui/clock_win.cpp).
LRESULT AccountPanelProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ClockProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Connect window and status line (ui/connect_status_win.cpp).
LRESULT ConnectWindowProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT StatusLineProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Dialogs: the dialog-frame family (ui/dialog_frame_win.h).
// Contacts window and its list (ui/contacts_window_win.cpp).
LRESULT ContactsFrameProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ContactsListProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ContactsMenuProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclass procedures of the standard edits.
LRESULT CALLBACK LoginEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK AddContactEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam);
