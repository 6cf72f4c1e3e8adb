// Backgrounds of the pop-up dialogs: the error dialog's title bar, the login dialog,
// the about box, the settings dialog and its page tabs.
#include "skin_painters.h"
#include "skin_style.h"

namespace {

Color ErrorTitleColor(int y) {
    if (y == 0) return Rgb(176, 86, 84);
    if (y >= 26) return y == 26 ? Rgb(40, 8, 10) : Rgb(22, 4, 6);
    return Mix(Rgb(98, 30, 34), Rgb(46, 12, 16), (y - 1) / 24.0);
}

// Row colour of the strip behind the settings page tabs.
Color PageStripColor(int y) {
    return Mix(Rgb(11, 22, 35), Rgb(17, 32, 49), y / 44.0);
}

constexpr Color kPageEdge = Rgb(72, 112, 152);

// A soft centred rule, fading out toward both ends.
void DrawRule(Raster& raster, int y, int centre, int halfWidth, Color color) {
    GradientH(raster, Rect{centre - halfWidth, y, halfWidth, 1}, WithAlpha(color, 0), color);
    GradientH(raster, Rect{centre, y, halfWidth, 1}, color, WithAlpha(color, 0));
}

}  // namespace

void PaintErrorTitle(Raster& raster, int id) {
    for (int y = 0; y < raster.height; ++y) {
        FillRect(raster, Rect{0, y, raster.width, 1}, ErrorTitleColor(y));
    }
    if (id != 12) return;
    // Warning sign on the left piece; the title text is centred further right.
    FillTriangle(raster, {8, 23}, {32, 23}, {20, 3}, Rgb(70, 40, 8));
    FillTriangle(raster, {10, 22}, {30, 22}, {20, 5}, Rgb(244, 192, 60));
    FillRect(raster, Rect{19, 10, 3, 7}, Rgb(40, 20, 6));
    FillRect(raster, Rect{19, 18, 3, 2}, Rgb(40, 20, 6));
}

void PaintLoginDialog(Raster& raster, int) {
    Rect all{0, 0, raster.width, raster.height};
    PaintPanel(raster, all, Rgb(30, 56, 84), Rgb(17, 34, 53));
    PaintTitleBand(raster, Rect{1, 1, all.w - 2, 27}, Rgb(50, 86, 124), Rgb(22, 42, 66));
    // Well behind the four flags and the two edit fields' frames.
    PaintWell(raster, Rect{6, 28, 438, 80}, Rgb(14, 28, 44));
    PaintWell(raster, Rect{239, 115, 172, 21}, kSocket);
    PaintWell(raster, Rect{239, 147, 172, 21}, kSocket);
    DrawRule(raster, 190, all.w / 2, 210, Rgb(110, 150, 190, 120));
}

void PaintAboutBox(Raster& raster, int) {
    Rect all{0, 0, raster.width, raster.height};
    PaintPanel(raster, all, Rgb(26, 50, 76), Rgb(11, 24, 39));
    PaintTitleBand(raster, Rect{1, 1, all.w - 2, 62}, Rgb(48, 84, 122), Rgb(18, 36, 58));
    FillRect(raster, Rect{1, 63, all.w - 2, 1}, Rgb(200, 160, 78));
    FillRect(raster, Rect{1, 64, all.w - 2, 1}, Rgb(0, 0, 0, 90));
    DrawLogoMark(raster, 9, 17, 2);
    for (int y : {114, 182, 266})
        DrawRule(raster, y, all.w / 2, 90, Rgb(120, 170, 200, 110));
    // A border of small points along the bottom edge.
    int count = 20;
    double step = (all.w - 30) / double(count);
    for (int k = 0; k < count; ++k) {
        double left = 15 + k * step;
        Color c = k % 2 == 0 ? WithAlpha(kGold, 130) : Rgb(176, 44, 56, 150);
        FillTriangle(raster, {left + 1, 357}, {left + step - 1, 357}, {left + step / 2, 347}, c);
    }
}

void PaintSettingsDialog(Raster& raster, int) {
    Rect all{0, 0, raster.width, raster.height};
    // The body stays one flat colour: the option rows' margins are painted in it.
    FillRect(raster, all, kSettingsBody);
    FrameRect(raster, all, kInk);
    PaintTitleBand(raster, Rect{1, 1, all.w - 2, 28}, Rgb(50, 86, 124), Rgb(22, 42, 66));
    for (int y = 0; y < 45; ++y)
        FillRect(raster, Rect{1, 29 + y, all.w - 2, 1}, PageStripColor(y));
    FillRect(raster, Rect{1, 74, all.w - 2, 1}, kPageEdge);
    FillRect(raster, Rect{1, all.h - 2, all.w - 2, 1}, Rgb(0, 0, 0, 60));
}

void PaintSettingsPage(Raster& raster, int id) {
    bool selected = id == 52;
    for (int y = 0; y < raster.height; ++y) {
        FillRect(raster, Rect{0, y, raster.width, 1}, PageStripColor(y));
    }
    // Tab shapes are rounded on top only: they run past the bottom edge.
    Rect outline = selected ? Rect{1, 1, 118, 52} : Rect{3, 5, 114, 48};
    Rect inner{outline.x + 1, outline.y + 1, outline.w - 2, outline.h};
    Color top = selected ? Rgb(50, 84, 120) : Rgb(30, 50, 74);
    Color bottom = selected ? kSettingsBody : Rgb(20, 37, 56);
    Color edge = selected ? kPageEdge : Rgb(8, 16, 26);
    FillRoundedShape(raster, outline, 6, [&](int, int) { return edge; });
    FillRoundedShape(raster, inner, 5, [&](int, int y) {
        return Mix(top, bottom, (y - inner.y) / double(44 - inner.y));
    });
    if (selected) {
        FillRect(raster, Rect{6, 2, 108, 1}, Rgb(255, 255, 255, 60));
    } else {
        FillRect(raster, Rect{0, 44, raster.width, 1}, kPageEdge);
    }
}
