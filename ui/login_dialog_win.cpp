// The login dialog's own steps: placed on code 3, its labels; its two subclassed edits
// submit on Enter, end the program on Escape and swap on Tab.
#include "net/hub_handles_win.h"
#include "ui/button_actions_win.h"
#include "ui/class_table.h"
#include "ui/dialog_frame_win.h"
#include "ui/dialog_place_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/texts.h"
#include "ui/registry_win.h"

void PrepareLoginDialog(HWND dialog, LPARAM) {
    RECT main = VisibleMainWindowRect();
    int width = main.right - main.left;
    int height = main.bottom - main.top;
    MoveWindow(dialog, main.left + 95, main.top + 105, (width - 640) / 2 * 2 + 450,
               (height - 480) / 2 * 2 + 270, TRUE);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void PaintLoginLabels(HDC dc, int, int) {
    DrawCentredText(dc, Text(TextId::LoginUserName), textFont, kWhite, {40, 115, 210, 135});
    DrawCentredText(dc, Text(TextId::LoginPassword), textFont, kWhite, {40, 147, 210, 167});
}

std::wstring LoginLabelsText() {
    return JoinTexts({Text(TextId::LoginUserName), Text(TextId::LoginPassword)});
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
