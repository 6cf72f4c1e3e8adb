// Pieces of the main window: the title band with the logo, the connect panel, the
// status line, the clock and the news panel.
#include <string_view>

#include "pixel_font.h"
#include "skin_painters.h"
#include "skin_style.h"

namespace {

constexpr std::string_view kProductName = "TAVLORA";

// The title band depends on the row only, so the 10-pixel tile continues the logo
// piece without a seam wherever it is repeated.
Color TitleBandColor(int y) {
    // The welcome lines are drawn down to row 65, so the gold rule sits below them.
    if (y == 0) return Rgb(84, 122, 160);
    if (y == 66) return Rgb(200, 160, 78);
    if (y == 67) return Rgb(118, 90, 42);
    if (y >= 68) return Mix(Rgb(6, 13, 22), Rgb(20, 40, 60), (y - 68) / 1.0);
    Color base = Mix(Rgb(24, 47, 72), Rgb(9, 20, 34), (y - 1) / 64.0);
    // A faint brushed texture: every row a touch lighter or darker.
    double grain = HashNoise(0, y, 7) * 0.08 - 0.04;
    return grain > 0 ? Lighter(base, grain) : Darker(base, -grain);
}

void FillTitleBand(Raster& raster) {
    for (int y = 0; y < raster.height; ++y) {
        FillRect(raster, Rect{0, y, raster.width, 1}, TitleBandColor(y));
    }
}

// Gold lettering: drawn white on a clear raster, then coloured row by row.
void DrawGoldText(Raster& raster, int x, int y, std::string_view text, int scale) {
    int width = PixelTextWidth(text, scale), height = kGlyphHeight * scale;
    Raster letters = MakeRaster(width, height, Rgb(0, 0, 0, 0));
    DrawPixelText(letters, 0, 0, text, scale, Rgb(255, 255, 255));
    for (int row = 0; row < height; ++row) {
        Color gold = Mix(Rgb(255, 230, 150), Rgb(190, 136, 48), row / double(height - 1));
        for (int col = 0; col < width; ++col) {
            Color& p = letters.pixels[static_cast<std::size_t>(row) * width + col];
            if (p.a != 0) p = gold;
        }
    }
    int shadow = scale > 1 ? scale - 1 : 1;
    DrawPixelText(raster, x + shadow, y + shadow, text, scale, Rgb(0, 0, 0, 150));
    Blit(raster, letters, x, y);
}

}  // namespace

void DrawLogoMark(Raster& raster, int x, int y, int scale) {
    double s = scale;
    DrawChecker(raster, Point{x + 5 * s, y + 5.5 * s}, 5 * s, Rgb(164, 34, 48));
    FillCircle(raster, Point{x + 9.4 * s, y + 9.4 * s}, 5.2 * s, Rgb(0, 0, 0, 90));
    DrawChecker(raster, Point{x + 9 * s, y + 9 * s}, 5 * s, Rgb(238, 228, 204));
    int nameX = x + 16 * scale;
    int nameY = y + (7 * scale) / 2;
    DrawGoldText(raster, nameX, nameY, kProductName, scale);
    // A row of backgammon points under the name.
    int width = PixelTextWidth(kProductName, scale);
    int count = 14;
    double step = double(width) / count;
    double top = nameY + 8 * s, base = nameY + 10.5 * s;
    for (int k = 0; k < count; ++k) {
        Color c = k % 2 == 0 ? kGold : Rgb(176, 44, 56);
        double left = nameX + k * step;
        FillTriangle(raster, {left + 0.5, base}, {left + step - 0.5, base}, {left + step / 2, top},
                     c);
    }
}

void PaintTitleLogo(Raster& raster, int) {
    FillTitleBand(raster);
    DrawLogoMark(raster, 7, 11, 3);
}

void PaintTitleTile(Raster& raster, int) {
    FillTitleBand(raster);
}

void PaintConnectPanel(Raster& raster, int) {
    PaintRimmedPanel(raster, 4,
                     [&](int, int y) { return Mix(Rgb(44, 76, 112), Rgb(16, 32, 50), y / 39.0); });
    FillRect(raster, Rect{4, 1, raster.width - 8, 1}, Rgb(255, 255, 255, 50));
    // The text is centred in the panel; a thin activity track runs along the bottom.
    Rect track{12, 33, 396, 5};
    PaintWell(raster, track, kSocket);
    for (int k = 0; k < 16; ++k) {
        double level = k <= 10 ? (k + 1) / 11.0 : 0.0;
        if (level <= 0) continue;
        Rect block{track.x + 3 + k * 24, track.y + 1, 20, track.h - 2};
        FillRect(raster, block, WithAlpha(Rgb(90, 180, 250), int(255 * level)));
    }
}

void PaintStatusLine(Raster& raster, int id) {
    // A pill around the text, which is centred between rows 7 and 27, with a lamp.
    bool connected = id == 11;
    Rect pill{1, 4, 276, 27};
    FillRoundedRect(raster, pill, 6, kInk);
    Rect inner{pill.x + 1, pill.y + 1, pill.w - 2, pill.h - 2};
    Color top = connected ? Rgb(42, 74, 110) : Rgb(50, 60, 74);
    Color bottom = connected ? Rgb(18, 38, 60) : Rgb(24, 30, 40);
    FillRoundedShape(raster, inner, 5, [&](int, int y) {
        return Mix(top, bottom, (y - inner.y) / double(inner.h - 1));
    });
    FillRect(raster, Rect{7, inner.y, pill.w - 12, 1}, Rgb(255, 255, 255, 45));
    Color led = connected ? Rgb(70, 224, 120) : Rgb(210, 64, 58);
    Point centre{14.5, 17.5};
    FillCircle(raster, centre, 7.0, WithAlpha(led, 60));
    FillCircle(raster, centre, 5.0, Darker(led, 0.5));
    FillCircle(raster, centre, 4.2, led);
    FillCircle(raster, Point{13.2, 16.0}, 1.5, Rgb(255, 255, 255, 170));
}

void PaintClock(Raster& raster, int) {
    PaintRimmedPanel(raster, 4,
                     [&](int, int y) { return Mix(Rgb(40, 68, 100), Rgb(16, 32, 50), y / 37.0); });
    // Wells behind hours, minutes, seconds and the zone name.
    for (Rect cell :
         {Rect{2, 4, 20, 30}, Rect{27, 4, 22, 30}, Rect{54, 4, 22, 30}, Rect{81, 4, 32, 30}}) {
        PaintWell(raster, cell, Rgb(8, 17, 28));
        FillRect(raster, Rect{cell.x + 1, cell.y + cell.h / 2, cell.w - 2, 1},
                 Rgb(255, 255, 255, 10));
    }
}

void PaintNewsPanel(Raster& raster, int) {
    Rect all{0, 0, raster.width, raster.height};
    PaintPanel(raster, all, Rgb(18, 35, 54), Rgb(11, 22, 36));
    PaintTitleBand(raster, Rect{1, 1, all.w - 2, 48}, Rgb(50, 86, 124), Rgb(22, 42, 66));
    FillRect(raster, Rect{10, 47, all.w - 20, 1}, WithAlpha(kTitleBlue, 110));
}
