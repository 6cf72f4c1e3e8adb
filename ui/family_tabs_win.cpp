// Tabs of the main window, pages of the settings dialog, and the language flags.
#include "ui/button_actions_win.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/press_win.h"
#include "ui/push_button_win.h"
#include "ui/view_state.h"
#include "res/resource_ids.h"

namespace {

COLORREF TabAccent(int tab) {
    if (tab == 1) return kRoomsBlue;
    if (tab == 2) return kTournamentsGreen;
    return kCashierRose;
}

void PaintTabButton(int row, HWND window) {
    const WindowClassRow& klass = kWindowClasses[row];
    int tab = klass.param;
    bool selected = mainTab == tab;
    bool pressed = pressFlags[row] != 0;
    int image = selected ? klass.bitmap + 1 : pressed ? klass.bitmap + 2 : klass.bitmap;
    COLORREF colour = selected || pressed ? TabAccent(tab) : kUnselectedGrey;
    PaintBitmapWithLabel(window, image, Text(klass.label), titleFont, colour);
}

void PaintPageTabButton(int row, HWND window) {
    const WindowClassRow& klass = kWindowClasses[row];
    int page = klass.param;
    int image = klass.bitmap;  // not selected, whatever the page
    COLORREF colour = kPageTabGrey;
    if (settingsPage == page) {
        image = BITMAP_PAGE_TAB_SELECTED + 2 * (page - 1);
        colour = kWhite;
    } else if (pressFlags[row] != 0) {
        image = BITMAP_PAGE_TAB_PRESSED + 2 * (page - 1);
        colour = kWhite;
    }
    PaintBitmapWithLabel(window, image, Text(klass.label), textFont, colour);
}

}  // namespace

LRESULT TabButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The selected tab cannot be pressed.
    return PushButton(
        row, window, message, wParam, lParam, [&] { PaintTabButton(row, window); },
        mainTab != kWindowClasses[row].param);
}

LRESULT PageTabButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(
        row, window, message, wParam, lParam, [&] { PaintPageTabButton(row, window); },
        settingsPage != kWindowClasses[row].param);
}

LRESULT PageImageProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool shown = settingsPage == kWindowClasses[row].param;
    return ImageOnlyProcedure(shown ? BITMAP_PAGE_SELECTED : BITMAP_PAGE_OTHER, window, message,
                              wParam, lParam);
}

LRESULT TabAreaProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Canvas canvas;
        BeginCanvas(window, canvas);
        DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0, canvas.width,
                           canvas.height);
        // The underline of the selected tab: 27 rooms, 28 tournaments, 29 cashier.
        DrawResourceBitmap(canvas.dc, BITMAP_TAB_UNDERLINE - 1 + mainTab, 9, 40, 430, 2);
        EndCanvas(canvas);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT FlagButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            // A flag acts at once, without waiting for the release.
            RunButtonAction(row);
            return 0;
        case WM_PAINT:
            PaintBitmapWithLabel(window, kWindowClasses[row].bitmap, std::wstring(), textFont,
                                 kWhite);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
