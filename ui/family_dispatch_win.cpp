// From a class row to its family's procedure, and the text each family shows.
#include <algorithm>
#include <iterator>

#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_table.h"
#include "ui/dialog_frame_win.h"
#include "ui/families_win.h"

namespace {

// The text each family shows: its label, value or state. Nothing for a family that shows
// none, or that sets its text as it paints (the clock, the account panel, the lists: what
// they show depends on the moment and the scroll position), so its stored text answers.
using ShownTextFn = std::wstring (*)(int row, HWND window);

std::wstring ButtonText(int row, HWND) {
    return PushButtonText(row);
}
std::wstring ConnectText(int, HWND) {
    return ConnectPhaseText(connectPhase, language);
}
std::wstring StatusText(int, HWND) {
    return LinkStateText(linkState, language);
}
std::wstring NewsLinesText(int, HWND) {
    return NewsText();
}
std::wstring MenuBarText(int, HWND) {
    return HeaderMenuBarText();
}
std::wstring DialogFrameText(int row, HWND) {
    return DialogText(row);
}

struct FamilyRow {
    Family family;
    FamilyProcedureFn procedure;
    ShownTextFn text;  // nullptr: the stored text
};

// One row per family, in the order of the enumeration. The main window's procedure comes
// from the start-up code; static images show their bitmap until drawn otherwise.
constexpr FamilyRow kFamilies[] = {
    {Family::Main, StaticImageProcedure, nullptr},
    {Family::IconButton, IconButtonProcedure, nullptr},
    {Family::TextButton, TextButtonProcedure, ButtonText},
    {Family::LinkButton, LinkButtonProcedure, ButtonText},
    {Family::ColumnHead, ColumnHeadProcedure, ButtonText},
    {Family::TabButton, TabButtonProcedure, ButtonText},
    {Family::PageTabButton, PageTabButtonProcedure, ButtonText},
    {Family::CaptionButton, CaptionButtonProcedure, ButtonText},
    {Family::CycleButton, CycleButtonProcedure, ButtonText},
    {Family::SwatchButton, SwatchButtonProcedure, ButtonText},
    {Family::StaticImage, StaticImageProcedure, nullptr},
    {Family::PageImage, PageImageProcedure, nullptr},
    {Family::FlagButton, FlagButtonProcedure, nullptr},
    {Family::TabArea, TabAreaProcedure, nullptr},
    {Family::DropdownPanel, DropdownPanelProcedure, DropdownPanelText},
    {Family::HeaderMenuBar, HeaderMenuBarProcedure, MenuBarText},
    {Family::ListBody, ListViewProcedure, nullptr},
    {Family::AccountPanel, AccountPanelProcedure, nullptr},
    {Family::Clock, ClockProcedure, nullptr},
    {Family::News, NewsProcedure, NewsLinesText},
    {Family::ConnectWindow, ConnectWindowProcedure, ConnectText},
    {Family::StatusLine, StatusLineProcedure, StatusText},
    {Family::DialogFrame, DialogFrameProcedure, DialogFrameText},
    {Family::ContactsFrame, ContactsFrameProcedure, nullptr},
    {Family::ContactsList, ContactsListProcedure, nullptr},
    {Family::ContactsMenu, ContactsMenuProcedure, nullptr},
};

constexpr bool InEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(kFamilies); ++i)
        if (static_cast<std::size_t>(kFamilies[i].family) != i) return false;
    return std::size(kFamilies) == static_cast<std::size_t>(Family::ContactsMenu) + 1;
}
static_assert(InEnumerationOrder(), "one row per family, in the enumeration's order");

const FamilyRow& FamilyOf(int row) {
    return kFamilies[static_cast<std::size_t>(kWindowClasses[row].family)];
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
    const FamilyRow& family = FamilyOf(row);
    if ((message == WM_GETTEXT || message == WM_GETTEXTLENGTH) && family.text != nullptr)
        return AnswerTextQuery(family.text(row, window), message, wParam, lParam);
    return family.procedure(row, window, message, wParam, lParam);
}
