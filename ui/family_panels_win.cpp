// Image panels of the main window: plain bitmaps, the news panel, the header menu bar
// and its four dropdown panels.
#include <algorithm>
#include <vector>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/news.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"
#include "res/resource_ids.h"

namespace {

constexpr int kPanelRowHeight = 20;
constexpr int kPanelWidth = 125;

// Highlighted row of each dropdown panel (param 1..4), 0 for none; set by code 14.
int highlightedRow[5];

int PanelRowTexts(int panel, TextId (&texts)[3]) {
    switch (panel) {
        case 1:
            texts[0] = TextId::MenuExit;
            texts[1] = TextId::MenuAdministration;
            return 2;
        case 2: {
            bool contactsShown = IsWindowVisible(WindowHandle(WinId::Contacts)) != FALSE;
            texts[0] = TextId::MenuSettings;
            texts[1] = contactsShown ? TextId::MenuHideContacts : TextId::MenuShowContacts;
            return 2;
        }
        case 3:
            texts[0] = TextId::MenuHomepage;
            texts[1] = TextId::MenuMyAccount;
            texts[2] = TextId::MenuCashier;
            return 3;
        default:
            texts[0] = TextId::MenuFaq;
            texts[1] = TextId::MenuAbout;
            return 2;
    }
}

// The File panel is one row high unless its administration row is enabled.
int ShownRows(int panel, HWND window, TextId (&texts)[3]) {
    RECT client{};
    GetClientRect(window, &client);
    return std::min<int>(PanelRowTexts(panel, texts), client.bottom / kPanelRowHeight);
}

void PaintDropdownPanel(int panel, HWND window) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    TextId texts[3];
    int rows = ShownRows(panel, window, texts);
    for (int r = 0; r < rows; ++r) {
        int top = r * kPanelRowHeight;
        int image = highlightedRow[panel] == r + 1 ? BITMAP_MENU_ROW_HIGHLIGHT : BITMAP_MENU_ROW;
        DrawResourceBitmap(canvas.dc, image, 0, top, kPanelWidth, kPanelRowHeight);
        DrawCentredText(canvas.dc, Text(texts[r]), smallFont, kDropdownGrey,
                        {0, top, kPanelWidth, top + kPanelRowHeight});
    }
    EndCanvas(canvas);
}

}  // namespace

std::wstring DropdownPanelText(int row, HWND window) {
    TextId texts[3];
    int rows = ShownRows(kWindowClasses[row].param, window, texts);
    std::vector<std::wstring> shown;
    for (int r = 0; r < rows; ++r)
        shown.push_back(Text(texts[r]));
    return JoinTexts(shown);
}

std::wstring NewsText() {
    std::wstring text = Text(TextId::NewsTitle);
    for (const std::wstring& line : newsLines)
        text += L"\n" + line;
    return text;
}

LRESULT ImageOnlyProcedure(int bitmap, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
    PaintBitmapWithLabel(window, bitmap, std::wstring(), textFont, kWhite);
    return 0;
}

LRESULT StaticImageProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ImageOnlyProcedure(kWindowClasses[row].bitmap, window, message, wParam, lParam);
}

LRESULT NewsProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Canvas canvas;
        BeginCanvas(window, canvas);
        DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
        DrawCentredText(canvas.dc, Text(TextId::NewsTitle), titleFont, kTitleBlue, {0, 0, 140, 50});
        int y = 50;
        for (const std::wstring& line : newsLines) {
            DrawCentredAcross(canvas.dc, line, textFont, kNewsGreen, 0, canvas.width, y);
            y += 20;
        }
        EndCanvas(canvas);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT DropdownPanelProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    int panel = kWindowClasses[row].param;
    if (message == TavloraIntMessage) {
        if (wParam == NC_HIGHLIGHT_ROW) {
            highlightedRow[panel] = static_cast<int>(lParam);
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    }
    if (message == WM_PAINT) {
        PaintDropdownPanel(panel, window);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
