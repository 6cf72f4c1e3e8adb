// The cashier tab's account panel: nickname, balance, play money and tokens.
#include <windows.h>

#include "session/account.h"
#include "session/session.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/money_text.h"
#include "ui/paint_win.h"
#include "ui/texts.h"

namespace {

void PaintAccountPanel(int row, HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
    const struct {
        TextId label;
        std::wstring value;
    } lines[] = {
        {TextId::AccountNickname, loggedInUserName},
        {TextId::AccountBalance, BalanceText(accountBalance)},
        {TextId::AccountPlayMoney, MoneyText(playMoney)},
        {TextId::AccountTokens, std::to_wstring(tokens)},
    };
    int y = 0;
    std::wstring spoken;
    for (const auto& line : lines) {
        DrawTextAt(canvas.dc, Text(line.label), textFont, kCashierRose, 20, y);
        DrawTextAt(canvas.dc, line.value, textFont, kCashierRose, 164, y);
        y += 20;
        spoken += (spoken.empty() ? L"" : L"\n") + Text(line.label) + L" " + line.value;
    }
    EndCanvas(canvas);
    // What the panel shows is also its window text, for screen readers and the test probe.
    SetWindowTextW(window, spoken.c_str());
}

}  // namespace

LRESULT AccountPanelProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PaintAccountPanel(row, window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
