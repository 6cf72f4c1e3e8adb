// One window procedure per class: each names its row and calls its family.
#include "ui/class_registration_win.h"

#include <array>
#include <utility>

#include "ui/class_table.h"
#include "ui/families_win.h"

namespace {

template <int Row>
LRESULT CALLBACK RowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return FamilyProcedure(Row, window, message, wParam, lParam);
}

template <int... Rows>
constexpr std::array<WNDPROC, sizeof...(Rows)> MakeRowProcedures(
    std::integer_sequence<int, Rows...>) {
    return {&RowProcedure<Rows>...};
}

// Row 0 is KXLobby0, whose procedure the start-up code supplies.
constexpr auto kRowProcedures =
    MakeRowProcedures(std::make_integer_sequence<int, kWindowClassCount>());

bool TakesDoubleClicks(Family family) {
    return family == Family::ListBody || family == Family::ContactsList;
}

}  // namespace

bool RegisterWindowClasses(HINSTANCE instance, WNDPROC mainWindowProcedure) {
    WNDCLASSEXW klass{};
    klass.cbSize = sizeof klass;
    klass.style = 0;
    klass.cbClsExtra = 0;
    klass.cbWndExtra = 0;
    klass.hInstance = instance;
    klass.hIcon = nullptr;
    klass.hIconSm = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    klass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    klass.hbrBackground = nullptr;
    klass.lpszMenuName = nullptr;
    bool allRegistered = true;
    for (int row = 0; row < kWindowClassCount; ++row) {
        klass.lpfnWndProc = row == 0 ? mainWindowProcedure : kRowProcedures[row];
        klass.lpszClassName = kWindowClasses[row].name;
        // The lists take double-clicks; every other class keeps style 0.
        klass.style = TakesDoubleClicks(kWindowClasses[row].family) ? CS_DBLCLKS : 0;
        if (RegisterClassExW(&klass) == 0) allRegistered = false;
    }
    return allRegistered;
}
