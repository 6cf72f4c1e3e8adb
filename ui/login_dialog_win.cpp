// The login dialog: placed on code 3, focused into the user name on code 2; its two
// subclassed edits submit on Enter, end the program on Escape and swap on Tab.
#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "ui/button_actions_win.h"
#include "ui/class_table.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"

namespace {

void PrepareLoginDialog(HWND dialog) {
    RECT main = VisibleMainWindowRect();
    int width = main.right - main.left;
    int height = main.bottom - main.top;
    MoveWindow(dialog, main.left + 95, main.top + 105, (width - 640) / 2 * 2 + 450,
               (height - 480) / 2 * 2 + 270, TRUE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PaintLoginDialog(int row, HWND dialog) {
    Canvas canvas;
    BeginCanvas(dialog, canvas);
    DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
    DrawCentredText(canvas.dc, Text(TextId::LoginTitle), TitleFont(), kTitleBlue, {0, 0, 450, 30});
    DrawCentredText(canvas.dc, Text(TextId::LoginUserName), TextFont(), kWhite,
                    {40, 115, 210, 135});
    DrawCentredText(canvas.dc, Text(TextId::LoginPassword), TextFont(), kWhite,
                    {40, 147, 210, 167});
    EndCanvas(canvas);
}

}  // namespace

LRESULT LoginDialogProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TavloraIntMessage) {
        if (wParam == NC_PREPARE_DIALOG) PrepareLoginDialog(window);
        if (wParam == NC_FOCUS_DIALOG) SetFocus(WindowHandle(WinId::LoginUserEdit));
        return 0;
    }
    switch (message) {
        case WM_PAINT:
            PaintLoginDialog(row, window);
            return 0;
        case WM_CTLCOLOREDIT: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, kBlack);
            SetBkColor(dc, RGB(167, 167, 167));
            return reinterpret_cast<LRESULT>(EditBrush());
        }
        case WM_NCHITTEST:
            return HTCAPTION;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK LoginEditProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    WinId self = WindowIdOf(edit);
    if (message == WM_KEYDOWN) {
        switch (wParam) {
            case VK_RETURN:
                RunButtonAction(ClassRowNamed(L"loginokwindowname"));
                return 0;
            case VK_ESCAPE:
                PostMessageW(mainWindow, WM_CLOSE, 0, 0);
                return 0;
            case VK_TAB:
                SetFocus(WindowHandle(self == WinId::LoginUserEdit ? WinId::LoginPasswordEdit
                                                                   : WinId::LoginUserEdit));
                return 0;
        }
    }
    // The characters of those keys must not reach the field.
    if (message == WM_CHAR && (wParam == L'\r' || wParam == L'\t' || wParam == 0x1B)) return 0;
    return CallWindowProcW(PreviousEditProcedure(self), edit, message, wParam, lParam);
}
