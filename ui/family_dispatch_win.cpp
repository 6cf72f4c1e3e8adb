// From a class row to its family's procedure, and the text each family shows.
#include <algorithm>
#include <optional>

#include "session/session.h"
#include "settings/settings.h"
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
        case Family::ContactsMenu:
            return ContactsMenuProcedure;
        // Shown as their bitmap until their lists, clock and menus are drawn.
        case Family::StaticImage:
        case Family::Main:
            break;
    }
    return StaticImageProcedure;
}

// The label, value or state text the control draws; nothing for a control that shows
// none, or that sets its text as it paints (the clock, the account panel, the lists: what
// they show depends on the moment and the scroll position), so its stored text answers.
std::optional<std::wstring> ShownText(int row, HWND window) {
    switch (kWindowClasses[row].family) {
        case Family::TextButton:
        case Family::LinkButton:
        case Family::ColumnHead:
        case Family::TabButton:
        case Family::PageTabButton:
        case Family::CaptionButton:
        case Family::CycleButton:
        case Family::SwatchButton:
            return PushButtonText(row);
        case Family::ConnectWindow:
            return ConnectPhaseText(connectPhase, language);
        case Family::StatusLine:
            return LinkStateText(linkState, language);
        case Family::News:
            return NewsText();
        case Family::HeaderMenuBar:
            return HeaderMenuBarText();
        case Family::DropdownPanel:
            return DropdownPanelText(row, window);
        case Family::DialogFrame:
            return DialogText(row);
        default:
            return std::nullopt;
    }
}

// WM_GETTEXT and WM_GETTEXTLENGTH answered from `text`, as the default procedure answers
// them from a stored text.
LRESULT AnswerTextQuery(const std::wstring& text, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXTLENGTH) return static_cast<LRESULT>(text.size());
    auto* buffer = reinterpret_cast<wchar_t*>(lParam);
    if (buffer == nullptr || wParam == 0) return 0;
    std::size_t copied = std::min<std::size_t>(text.size(), wParam - 1);
    text.copy(buffer, copied);
    buffer[copied] = L'\0';
    return static_cast<LRESULT>(copied);
}

}  // namespace

LRESULT FamilyProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // No class has a background brush: every window paints all of itself.
    if (message == WM_ERASEBKGND) return 1;
    // What a control shows is also its window text, always in step with the paint: screen
    // readers and the test probe read it.
    if (message == WM_GETTEXT || message == WM_GETTEXTLENGTH) {
        if (auto text = ShownText(row, window))
            return AnswerTextQuery(*text, message, wParam, lParam);
    }
    return ProcedureOf(kWindowClasses[row].family)(row, window, message, wParam, lParam);
}
