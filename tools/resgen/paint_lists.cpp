// The logged-in working surface: tab area, tab heads and underlines, list column heads,
// list body, the header menu bar with its cells, and the contacts context menu.
#include "skin_painters.h"
#include "skin_style.h"

namespace {

Color TabAccent(int tab) {
    switch (tab) {
        case 1:
            return kRoomsBlue;
        case 2:
            return kTournamentsGreen;
        default:
            return kCashierRose;
    }
}

}  // namespace

void PaintTabArea(Raster& raster, int) {
    PaintRimmedPanel(raster, 5, [&](int, int y) { return TabAreaColor(y); });
    FillRect(raster, Rect{5, 1, raster.width - 10, 1}, Rgb(255, 255, 255, 40));
    // Sunken frame around the column heads and the list; the one-pixel gaps between the
    // heads read as separators.
    FillRect(raster, Rect{9, 44, 430, 20}, Rgb(10, 20, 32));
    FrameRect(raster, Rect{8, 43, 432, 231}, Rgb(8, 16, 26));
    FillRect(raster, Rect{8, 274, 432, 1}, Rgb(255, 255, 255, 30));
}

void PaintTabUnderline(Raster& raster, int id) {
    Color accent = TabAccent(id - 26);
    FillRect(raster, Rect{0, 0, raster.width, 1}, accent);
    FillRect(raster, Rect{0, 1, raster.width, 1}, Darker(accent, 0.5));
}

void PaintTabHead(Raster& raster, int id) {
    int tab = (id - 27) / 3;
    int state = (id - 27) % 3;  // 0 not selected, 1 selected, 2 pressed
    Color accent = TabAccent(tab);
    for (int y = 0; y < raster.height; ++y) {
        FillRect(raster, Rect{0, y, raster.width, 1}, TabAreaColor(10 + y));
    }
    // Rounded on top only: the shape runs past the bottom edge.
    Rect outline{0, 0, raster.width, raster.height + 8};
    Rect inner{1, 1, raster.width - 2, raster.height + 8};
    Color top, bottom;
    if (state == 0) {
        top = Rgb(38, 60, 86);
        bottom = Rgb(26, 44, 66);
    } else if (state == 1) {
        top = Mix(Rgb(20, 36, 54), accent, 0.24);
        bottom = Rgb(15, 29, 45);
    } else {
        top = Rgb(12, 24, 38);
        bottom = Rgb(24, 42, 62);
    }
    FillRoundedShape(raster, outline, 6, [&](int, int) { return kInk; });
    FillRoundedShape(raster, inner, 5, [&](int, int y) { return Mix(top, bottom, y / 29.0); });
    if (state == 0) {
        FillRect(raster, Rect{5, 1, raster.width - 10, 1}, Rgb(255, 255, 255, 45));
        FillRect(raster, Rect{1, raster.height - 1, raster.width - 2, 1}, Rgb(0, 0, 0, 90));
    } else if (state == 1) {
        FillRect(raster, Rect{4, 1, raster.width - 8, 1}, Lighter(accent, 0.35));
        FillRect(raster, Rect{2, 2, raster.width - 4, 2}, accent);
        FillRect(raster, Rect{2, 4, raster.width - 4, 2}, WithAlpha(accent, 60));
    } else {
        FillRect(raster, Rect{4, 1, raster.width - 8, 2}, Rgb(0, 0, 0, 110));
        FillRect(raster, Rect{3, 3, raster.width - 6, 2}, WithAlpha(Darker(accent, 0.2), 150));
    }
}

void PaintColumnHead(Raster& raster, int id) {
    bool pressed = (id - 79) % 2 == 1;
    int shift = pressed ? 1 : 0;
    Color accent = id <= 84 ? kRoomsBlue : kTournamentsGreen;
    // Dark enough that the labels, drawn in the tab's accent colour, stand out.
    ButtonLook look{Rgb(30, 46, 68), Rgb(14, 26, 42), kInk};
    PaintButton(raster, Rect{0, 0, raster.width, raster.height}, look, pressed, 2);
    FillRect(raster, Rect{2, raster.height - 2, raster.width - 4, 1}, WithAlpha(accent, 110));
    // A small arrow: the heads sort the list.
    Color arrow = pressed ? Darker(accent, 0.35) : Darker(accent, 0.1);
    FillTriangle(raster, {128.0 + shift, 7.0 + shift}, {136.0 + shift, 7.0 + shift},
                 {132.0 + shift, 11.5 + shift}, arrow);
}

void PaintListBody(Raster& raster, int) {
    GradientV(raster, Rect{0, 0, raster.width, raster.height}, Rgb(16, 30, 46), Rgb(12, 24, 38));
    Bevel(raster, Rect{0, 0, raster.width, raster.height}, Rgb(5, 10, 18), Rgb(34, 58, 84));
}

void PaintMenuBar(Raster& raster, int) {
    PaintTitleBand(raster, Rect{0, 0, raster.width, 23}, Rgb(56, 92, 130), Rgb(26, 48, 74));
    FillRect(raster, Rect{0, 0, 1, 23}, kInk);
    FillRect(raster, Rect{raster.width - 1, 0, 1, 23}, kInk);
    for (int x : {128, 257, 386}) {
        FillRect(raster, Rect{x, 4, 1, 16}, Rgb(0, 0, 0, 110));
        FillRect(raster, Rect{x + 1, 4, 1, 16}, Rgb(255, 255, 255, 35));
    }
    // Below the bar the drop-down panels open; a soft shadow fades into the navy.
    for (int y = 23; y < raster.height; ++y) {
        double t = (y - 23) / double(raster.height - 24);
        FillRect(raster, Rect{0, y, raster.width, 1}, Mix(Rgb(14, 28, 44), kNavy, t * t));
    }
}

void PaintMenuCell(Raster& raster, int id) {
    Rect all{0, 0, raster.width, raster.height};
    if (id == 41) {  // highlighted
        GradientV(raster, all, Rgb(72, 116, 166), Rgb(40, 74, 112));
        FillRect(raster, Rect{1, 0, all.w - 2, 1}, Rgb(140, 180, 220));
    } else if (id == 42) {  // pressed
        GradientV(raster, all, Rgb(12, 26, 42), Rgb(26, 46, 70));
        FillRect(raster, Rect{1, 0, all.w - 2, 2}, Rgb(0, 0, 0, 90));
        FillRect(raster, Rect{2, 2, all.w - 3, 1}, Rgb(255, 255, 255, 18));
    } else {  // plain row of a drop-down panel
        GradientV(raster, all, Rgb(34, 56, 82), Rgb(24, 42, 64));
        FillRect(raster, Rect{1, 0, all.w - 2, 1}, Rgb(255, 255, 255, 22));
    }
    FillRect(raster, Rect{0, all.h - 1, all.w, 1}, Rgb(10, 20, 32));
    FillRect(raster, Rect{0, 0, 1, all.h}, kInk);
    FillRect(raster, Rect{all.w - 1, 0, 1, all.h}, kInk);
}

void PaintContextMenu(Raster& raster, int) {
    Rect all{0, 0, raster.width, raster.height};
    GradientV(raster, all, Rgb(242, 246, 252), Rgb(224, 233, 245));
    GradientV(raster, Rect{0, 0, all.w, 22}, Rgb(214, 228, 246), Rgb(192, 210, 234));
    FillRect(raster, Rect{0, 22, all.w, 1}, Rgb(140, 166, 200));
    for (int y : {43, 64, 85})
        FillRect(raster, Rect{4, y, all.w - 8, 1}, Rgb(204, 214, 228));
    FrameRect(raster, all, Rgb(56, 86, 124));
}
