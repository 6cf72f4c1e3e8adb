// The four language flags of the login dialog: United Kingdom, Germany, Italy, Poland.
// Each is drawn from a colour-at-point function, antialiased, with a light cloth
// shading and a thin frame.
#include <cmath>

#include "skin_painters.h"
#include "skin_style.h"

namespace {

constexpr Color kWhite = Rgb(250, 250, 250);

Color UnionJackAt(double x, double y, double w, double h) {
    constexpr Color kBlue = Rgb(1, 33, 105);
    constexpr Color kRed = Rgb(200, 16, 46);
    // Widths in units of the flag's height / 30, as the flag is usually drawn at 60x30.
    double unit = h / 30;
    double cx = w / 2, cy = h / 2;
    // Upright cross: white 10 units, red 6.
    double dx = std::abs(x - cx), dy = std::abs(y - cy);
    if (dx < 3 * unit || dy < 3 * unit) return kRed;
    if (dx < 5 * unit || dy < 5 * unit) return kWhite;
    // Saltire: white 6 units; the red 2-unit band is counterchanged, lying on the
    // clockwise-following side of each diagonal.
    double len = std::hypot(w, h);
    double s1 = (h * x - w * y) / len;          // from the top-left to bottom-right diagonal
    double s2 = (h * x + w * y - w * h) / len;  // from the bottom-left to top-right diagonal
    bool left = x < cx, top = y < cy;
    double s = (left == top) ? s1 : s2;
    if (std::abs(s) < 3 * unit) {
        double redSide;
        if (left && top)
            redSide = -1;  // toward the hoist
        else if (!left && !top)
            redSide = 1;  // toward the fly
        else if (!left && top)
            redSide = -1;  // toward the top edge
        else
            redSide = 1;  // toward the bottom edge
        return (s * redSide > 0 && std::abs(s) < 2 * unit) ? kRed : kWhite;
    }
    return kBlue;
}

Color FlagAt(int id, double x, double y, double w, double h) {
    switch (id) {
        case 501:
            return UnionJackAt(x, y, w, h);
        case 502:  // Germany: black, red, gold
            if (y < h / 3) return Rgb(12, 12, 12);
            return y < 2 * h / 3 ? Rgb(221, 0, 0) : Rgb(255, 206, 0);
        case 503:  // Italy: green, white, red
            if (x < w / 3) return Rgb(0, 146, 70);
            return x < 2 * w / 3 ? Rgb(244, 245, 240) : Rgb(206, 43, 55);
        default:  // Poland: white over red
            return y < h / 2 ? kWhite : Rgb(220, 20, 60);
    }
}

}  // namespace

void PaintFlag(Raster& raster, int id) {
    constexpr int kGrid = 4;
    double w = raster.width, h = raster.height;
    for (int y = 0; y < raster.height; ++y) {
        for (int x = 0; x < raster.width; ++x) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    Color c = FlagAt(id, x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid, w, h);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            }
            constexpr int n = kGrid * kGrid;
            Color c = Rgb(r / n, g / n, b / n);
            // Cloth: a gentle diagonal wave of light.
            double wave = std::sin(x * 0.075 - y * 0.03) * 0.07;
            SetPixel(raster, x, y, wave > 0 ? Lighter(c, wave) : Darker(c, -wave));
        }
    }
    FrameRect(raster, Rect{0, 0, raster.width, raster.height}, Rgb(10, 18, 28));
    FillRect(raster, Rect{1, 1, raster.width - 2, 1}, Rgb(255, 255, 255, 50));
}
