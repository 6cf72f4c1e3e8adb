// From a class row to its family's procedure.
#include "ui/class_table.h"
#include "ui/dialog_frame_win.h"
#include "ui/families_win.h"

namespace {

FamilyProcedureFn ProcedureOf(Family family) {
    switch (family) {
        case Family::IconButton:
            return IconButtonProcedure;
        case Family::TextButton:
            return TextButtonProcedure;
        case Family::LinkButton:
            return LinkButtonProcedure;
        case Family::ColumnHead:
            return ColumnHeadProcedure;
        case Family::TabButton:
            return TabButtonProcedure;
        case Family::PageTabButton:
            return PageTabButtonProcedure;
        case Family::CaptionButton:
            return CaptionButtonProcedure;
        case Family::CycleButton:
            return CycleButtonProcedure;
        case Family::SwatchButton:
            return SwatchButtonProcedure;
        case Family::PageImage:
            return PageImageProcedure;
        case Family::FlagButton:
            return FlagButtonProcedure;
        case Family::TabArea:
            return TabAreaProcedure;
        case Family::DropdownPanel:
            return DropdownPanelProcedure;
        case Family::HeaderMenuBar:
            return HeaderMenuBarProcedure;
        case Family::News:
            return NewsProcedure;
        case Family::AccountPanel:
            return AccountPanelProcedure;
        case Family::ListBody:
            return ListViewProcedure;
        case Family::Clock:
            return ClockProcedure;
        case Family::ConnectWindow:
            return ConnectWindowProcedure;
        case Family::StatusLine:
            return StatusLineProcedure;
        case Family::DialogFrame:
            return DialogFrameProcedure;
        case Family::ContactsFrame:
            return ContactsFrameProcedure;
        case Family::ContactsList:
            return ContactsListProcedure;
        // Shown as their bitmap until their lists, clock and menus are drawn.
        case Family::StaticImage:
        case Family::ContactsMenu:
        case Family::Main:
            break;
    }
    return StaticImageProcedure;
}

}  // namespace

LRESULT FamilyProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No class has a background brush: every window paints all of itself.
    if (message == WM_ERASEBKGND) return 1;
    return ProcedureOf(kWindowClasses[row].family)(row, window, message, wParam, lParam);
}
