// The settings dialog's own painting: background, title and hint. Its pages, lines and
// buttons are controls of their own.
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"

LRESULT SettingsDialogProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Canvas canvas;
        BeginCanvas(window, canvas);
        DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
        DrawCentredText(canvas.dc, Text(TextId::SettingsTitle), TitleFont(), kTitleBlue,
                        {0, 0, 485, 30});
        DrawCentredText(canvas.dc, Text(TextId::SettingsHint), TextFont(), kHintGrey,
                        {0, 70, 485, 101});
        EndCanvas(canvas);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
