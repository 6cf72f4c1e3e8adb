// Button and panel looks shared by the skin painters.
#include "skin_style.h"

#include <algorithm>

ButtonLook AccentLook(Color accent) {
    Color base = Rgb(20, 34, 52);
    return ButtonLook{Mix(base, accent, 0.62), Mix(base, accent, 0.28), kInk};
}

void PaintButton(Raster& raster, Rect face, const ButtonLook& look, bool pressed, double radius) {
    Color top = pressed ? Darker(look.bottom, 0.30) : look.top;
    Color bottom = pressed ? Darker(Mix(look.top, look.bottom, 0.5), 0.25) : look.bottom;
    FillRoundedRect(raster, face, radius, look.border);
    Rect inner{face.x + 1, face.y + 1, face.w - 2, face.h - 2};
    double innerRadius = std::max(0.0, radius - 1);
    FillRoundedShape(raster, inner, innerRadius, [&](int, int y) {
        return Mix(top, bottom, double(y - inner.y) / std::max(1, inner.h - 1));
    });
    int edge = static_cast<int>(innerRadius);
    int half = inner.h / 2;
    if (!pressed) {
        FillRect(raster, Rect{inner.x + edge, inner.y, inner.w - 2 * edge, 1},
                 WithAlpha(Lighter(look.top, 0.55), 170));
        FillRect(raster, Rect{inner.x + 1, inner.y + 1, inner.w - 2, half - 1},
                 Rgb(255, 255, 255, 24));
        FillRect(raster, Rect{inner.x + edge, inner.y + inner.h - 1, inner.w - 2 * edge, 1},
                 Rgb(0, 0, 0, 70));
    } else {
        FillRect(raster, Rect{inner.x + edge, inner.y, inner.w - 2 * edge, 1}, Rgb(0, 0, 0, 120));
        FillRect(raster, Rect{inner.x + 1, inner.y + 1, inner.w - 2, 1}, Rgb(0, 0, 0, 55));
        FillRect(raster, Rect{inner.x, inner.y + edge, 1, inner.h - 2 * edge}, Rgb(0, 0, 0, 90));
        FillRect(raster, Rect{inner.x + 2, inner.y + 2, inner.w - 3, half - 1},
                 Rgb(255, 255, 255, 12));
        FillRect(raster, Rect{inner.x + edge, inner.y + inner.h - 1, inner.w - 2 * edge, 1},
                 WithAlpha(Lighter(bottom, 0.35), 120));
    }
}

void PaintPanel(Raster& raster, Rect rect, Color top, Color bottom) {
    GradientV(raster, rect, top, bottom);
    FrameRect(raster, rect, kInk);
    Bevel(raster, Rect{rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2}, Rgb(255, 255, 255, 30),
          Rgb(0, 0, 0, 70));
}

void PaintWell(Raster& raster, Rect rect, Color fill) {
    FillRect(raster, rect, fill);
    Bevel(raster, rect, Rgb(0, 0, 0, 110), Rgb(255, 255, 255, 40));
    FillRect(raster, Rect{rect.x + 1, rect.y + 1, rect.w - 2, 1}, Rgb(0, 0, 0, 40));
}

void PaintTitleBand(Raster& raster, Rect rect, Color top, Color bottom) {
    GradientV(raster, rect, top, bottom);
    FillRect(raster, Rect{rect.x, rect.y, rect.w, 1}, WithAlpha(Lighter(top, 0.45), 200));
    FillRect(raster, Rect{rect.x, rect.y + rect.h - 2, rect.w, 1}, Rgb(0, 0, 0, 90));
    FillRect(raster, Rect{rect.x, rect.y + rect.h - 1, rect.w, 1}, kInk);
}

Color TabAreaColor(int y) {
    return Mix(Rgb(31, 56, 83), Rgb(17, 33, 51), y / 309.0);
}
