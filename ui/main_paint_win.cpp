// Painting of the main window into a 640 x 480 memory bitmap.
#include "ui/main_paint_win.h"

#include "session/session.h"
#include "settings/settings.h"
#include "ui/drawing_objects_win.h"
#include "ui/welcome_lines.h"
#include "ui/paint_win.h"
#include "res/resource_ids.h"

namespace {

constexpr COLORREF kWelcomeColour = 0xFFCF11;
// The title band, which the welcome lines are drawn on.
constexpr RECT kTitleBand{1, 1, 639, 71};
constexpr COLORREF kCountsColour = 0xD2FF78;

// Each welcome line is centred in the 345 pixels right of the logo.
void DrawWelcomeLine(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, int y) {
    DrawCentredAcross(dc, text, font, colour, 183, 345, y);
}

}  // namespace

void PaintMainWindow(HWND main) {
    Canvas canvas;
    BeginCanvas(main, canvas);
    HDC dc = canvas.dc;
    DrawResourceBitmap(dc, BITMAP_MAIN_TITLE_LEFT, kTitleBand.left, kTitleBand.top, 183, 70);
    // 46 tiles from x 184, the last pulled back to end at the right edge.
    DrawResourceBitmapRow(dc, BITMAP_MAIN_TITLE_TILE, 184, 629, 1, 10, 70);
    RECT body{1, 72, 639, 479};
    FillRect(dc, &body, navyBrush);
    DrawResourceBitmap(dc, BITMAP_MAIN_PICTURE, 181, 105, 415, 303);
    if (isLoggedIn) {
        WelcomeLines lines = ComposeWelcomeLines(loggedInUserName, CurrentLobbyCounts(), language);
        DrawWelcomeLine(dc, lines.greeting, titleFont, kWelcomeColour, 5);
        DrawWelcomeLine(dc, lines.players, textFont, kCountsColour, 32);
        DrawWelcomeLine(dc, lines.lobby, textFont, kCountsColour, 50);
    }
    EndCanvas(canvas);
}

void RepaintWelcomeLines(HWND main) {
    InvalidateRect(main, &kTitleBand, FALSE);
}
