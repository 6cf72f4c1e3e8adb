// The error dialog: placed over the main window on code 3, focused on code 2, painted
// with a title band, the dialog body and the four lines of the current error state.
#include <algorithm>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/session.h"
#include "settings/settings.h"
#include "session/ui_port.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/texts.h"
#include "ui/registry_win.h"

namespace {

constexpr int kWidth = 360;  // the picture's width; the window may come out wider

// lParam 2: OK alone in the middle; anything else: OK and Cancel.
void PrepareErrorDialog(HWND dialog, LPARAM layout) {
    if (sound == 1) UiPlaySound(1002);
    RECT main = VisibleMainWindowRect();
    int width = main.right - main.left;
    int height = main.bottom - main.top;
    MoveWindow(dialog, main.left + 140, main.top + 120, width - 280, height - 240, FALSE);
    HWND ok = WindowHandle(WinId::ErrorOk);
    HWND cancel = WindowHandle(WinId::ErrorCancel);
    if (layout == 2) {
        MoveWindow(ok, 130, 199, 120, 40, FALSE);
        ShowWindow(cancel, SW_HIDE);
    } else {
        MoveWindow(ok, 51, 199, 120, 40, FALSE);
        MoveWindow(cancel, 209, 199, 120, 40, FALSE);
        ShowWindow(cancel, SW_SHOW);
    }
    // The lines also become the window's text, for screen readers and the test probe.
    std::wstring spoken;
    for (const std::wstring& line : ErrorLines(errorState, language)) {
        if (line.empty()) continue;
        if (!spoken.empty()) spoken += L' ';
        spoken += line;
    }
    SetWindowTextW(dialog, spoken.c_str());
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PaintErrorDialog(HWND dialog) {
    Canvas canvas;
    BeginCanvas(dialog, canvas);
    DrawResourceBitmap(canvas.dc, 12, 1, 1, 80, 28);
    // The band and the body reach the edges however large the dialog came out.
    const int lastTile = std::max(349, canvas.width - 11);
    for (int x = 81; x <= lastTile; x += 10)
        DrawResourceBitmap(canvas.dc, 13, std::min(x, lastTile), 1, 10, 28);
    RECT body{1, 30, std::max(359, canvas.width - 1), std::max(239, canvas.height - 1)};
    FillRect(canvas.dc, &body, DialogBrush());
    DrawCentredText(canvas.dc, Text(TextId::ErrorTitle), TitleFont(), kTitleBlue,
                    {0, 0, std::max(kWidth, canvas.width), 30});
    auto lines = ErrorLines(errorState, language);
    for (int i = 0; i < 4; ++i) {
        DrawCentredAcross(canvas.dc, lines[i], TextFont(), kMessageRose, 0,
                          std::max(kWidth, canvas.width), 50 + 30 * i);
    }
    EndCanvas(canvas);
}

}  // namespace

LRESULT ErrorDialogProcedure(int, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TavloraIntMessage) {
        if (wParam == NC_PREPARE_DIALOG) PrepareErrorDialog(window, lParam);
        if (wParam == NC_FOCUS_DIALOG) SetFocus(WindowHandle(WinId::ErrorOk2));
        return 0;
    }
    switch (message) {
        case WM_PAINT:
            PaintErrorDialog(window);
            return 0;
        case WM_NCHITTEST:
            return HTCAPTION;  // the whole dialog drags
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
