// The clock of the main window: the server's time, repainted every second.
#include <windows.h>

#include <ctime>

#include "session/account.h"
#include "ui/class_table.h"
#include "ui/clock_text.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"

namespace {

constexpr UINT_PTR kSecondTimer = 1;

void PaintClock(int row, HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
    const auto digits =
        ClockDigits(static_cast<std::int64_t>(std::time(nullptr)), serverClockOffset);
    // Two-digit cells of 22 pixels with the colons centred in 5 pixels between them.
    const int cells[3] = {0, 27, 54};
    for (int i = 0; i < 3; ++i) {
        DrawCentredText(canvas.dc, digits[i], textFont, kWhite,
                        {cells[i], 0, cells[i] + 22, canvas.height});
    }
    for (int colon : {22, 49})
        DrawCentredText(canvas.dc, L":", textFont, kWhite, {colon, 0, colon + 5, canvas.height});
    DrawCentredText(canvas.dc, L"CET", textFont, kWhite, {81, 0, 81 + 32, canvas.height});
    EndCanvas(canvas);
    // The time shown is also the window's text, for screen readers and the test probe.
    const std::wstring spoken = digits[0] + L":" + digits[1] + L":" + digits[2] + L" CET";
    SetWindowTextW(window, spoken.c_str());
}

}  // namespace

LRESULT ClockProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            SetTimer(window, kSecondTimer, 1000, nullptr);
            return 0;
        case WM_TIMER:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_PAINT:
            PaintClock(row, window);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
