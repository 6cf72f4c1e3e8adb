// The connect window and the status line: a bitmap and the text of the connection state.
#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"

LRESULT ConnectWindowProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        // The text is centred in a 400 x 20 box in the middle of the 420 x 40 window.
        PaintBitmapWithLabelIn(window, kWindowClasses[row].bitmap,
                               ConnectPhaseText(connectPhase, language), textFont, kWhite,
                               {10, 10, 410, 30});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT StatusLineProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        // Bitmap 10 offline, 11 connected; text centred in 260 x 20 inside 280 x 34.
        int image = kWindowClasses[row].bitmap + (linkState == 0 ? 0 : 1);
        PaintBitmapWithLabelIn(window, image, LinkStateText(linkState, language), textFont, kWhite,
                               {10, 7, 270, 27});
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
