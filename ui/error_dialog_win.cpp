// The error dialog's own steps: placed over the main window on code 3 with its layout,
// painted with a title band, the dialog body and the four lines of the current error state.
#include <algorithm>

#include "session/session.h"
#include "session/ui_port.h"
#include "settings/settings.h"
#include "ui/dialog_frame_win.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"
#include "ui/texts.h"
#include "res/resource_ids.h"

namespace {
constexpr int kWidth = 360;  // the picture's width; the window may come out wider
}

// lParam 2: OK alone in the middle; anything else: OK and Cancel.
void PrepareErrorDialog(HWND dialog, LPARAM layout) {
    if (sound == 1) UiPlaySound(SOUND_ERROR);
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
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PaintErrorBackground(HDC dc, int, int width, int height) {
    // What the band and the body leave free, the rim and the rule between them, is black.
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawResourceBitmap(dc, BITMAP_ERROR_TITLE_LEFT, 1, 1, 80, 28);
    // 28 tiles from x 81, the last one pulled back to end at the band's right edge; a
    // dialog that came out wider gets as many more as reach its own edge.
    const int lastTile = std::max(349, width - 11);
    DrawResourceBitmapRow(dc, BITMAP_ERROR_TITLE_TILE, 81, lastTile, 1, 10, 28);
    RECT body{1, 30, std::max(359, width - 1), std::max(239, height - 1)};
    FillRect(dc, &body, dialogBrush);
}

void PaintErrorLines(HDC dc, int width, int) {
    auto lines = ErrorLines(errorState, language);
    for (int i = 0; i < 4; ++i) {
        DrawCentredAcross(dc, lines[i], textFont, kMessageRose, 0, std::max(kWidth, width),
                          50 + 30 * i);
    }
}

std::wstring ErrorLinesText() {
    auto lines = ErrorLines(errorState, language);
    return JoinTexts({lines.begin(), lines.end()});
}
