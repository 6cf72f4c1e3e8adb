// The backgammon board of the main window's picture and the four table-skin swatches,
// which show the same kinds of board in miniature.
#include <algorithm>
#include <cmath>

#include "skin_painters.h"
#include "skin_style.h"

namespace {

enum class Surface { Wood, Felt, Plain, Marble };

struct TableSkin {
    Color frameLight, frameDark;  // the wooden or stone frame
    Color fieldTop, fieldBottom;  // the playing surface
    Surface surface;
    Color pointLight, pointDark;  // the alternating triangles
};

constexpr TableSkin kSkins[4] = {
    // Honey oak with ivory and walnut points.
    {Rgb(112, 66, 34), Rgb(66, 36, 18), Rgb(206, 160, 100), Rgb(176, 126, 72), Surface::Wood,
     Rgb(240, 226, 196), Rgb(96, 50, 26)},
    // Green baize in a dark wood frame, cream and red points.
    {Rgb(86, 50, 28), Rgb(46, 26, 14), Rgb(36, 116, 66), Rgb(22, 84, 46), Surface::Felt,
     Rgb(234, 222, 188), Rgb(172, 38, 42)},
    // Blue cloth in a silver frame, white and navy points.
    {Rgb(176, 184, 196), Rgb(96, 106, 122), Rgb(44, 90, 160), Rgb(26, 60, 116), Surface::Plain,
     Rgb(230, 236, 244), Rgb(18, 34, 82)},
    // White marble in dark stone, black and slate points.
    {Rgb(84, 86, 92), Rgb(40, 42, 46), Rgb(232, 230, 224), Rgb(206, 204, 198), Surface::Marble,
     Rgb(36, 36, 40), Rgb(116, 128, 142)},
};

constexpr int kBoardSkin = 2;  // the picture shows the green baize table

Color FrameAt(const TableSkin& skin, int x, int y, bool grainAlongX) {
    double u = grainAlongX ? x : y, v = grainAlongX ? y : x;
    double grain =
        ValueNoise(u * 0.03, v * 0.5, 11) * 0.65 + ValueNoise(u * 0.12, v * 1.6, 12) * 0.35;
    double rings = 0.5 + 0.5 * std::sin(grain * 14);
    if (skin.surface == Surface::Plain || skin.surface == Surface::Marble)
        rings = 0.3 + 0.4 * grain;
    return Mix(skin.frameDark, skin.frameLight, 0.3 + 0.6 * rings);
}

Color FieldAt(const TableSkin& skin, int x, int y, double t) {
    Color base = Mix(skin.fieldTop, skin.fieldBottom, t);
    switch (skin.surface) {
        case Surface::Wood: {
            double grain =
                ValueNoise(x * 0.02, y * 0.35, 21) * 0.7 + ValueNoise(x * 0.1, y * 1.1, 22) * 0.3;
            double rings = 0.5 + 0.5 * std::sin(grain * 16);
            return Darker(base, 0.16 * rings);
        }
        case Surface::Felt: {
            double fuzz = HashNoise(x, y, 31) - 0.5;
            return fuzz > 0 ? Lighter(base, fuzz * 0.1) : Darker(base, -fuzz * 0.14);
        }
        case Surface::Marble: {
            double warp = ValueNoise(x * 0.05, y * 0.05, 41) * 5;
            double vein = std::abs(std::sin(x * 0.07 + y * 0.045 + warp));
            return vein < 0.14 ? Mix(base, Rgb(120, 122, 130), (0.14 - vein) / 0.14 * 0.7) : base;
        }
        default:
            return Lighter(base, (HashNoise(x, y, 51) - 0.5) * 0.04);
    }
}

void PaintFrame(Raster& raster, const TableSkin& skin, Rect rect, bool grainAlongX) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x) {
            SetPixel(raster, x, y, FrameAt(skin, x, y, grainAlongX));
        }
    }
}

void PaintField(Raster& raster, const TableSkin& skin, Rect rect) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        double t = double(y - rect.y) / std::max(1, rect.h - 1);
        for (int x = rect.x; x < rect.x + rect.w; ++x)
            SetPixel(raster, x, y, FieldAt(skin, x, y, t));
    }
    Bevel(raster, Rect{rect.x - 1, rect.y - 1, rect.w + 2, rect.h + 2}, Rgb(0, 0, 0, 120),
          Rgb(255, 255, 255, 50));
}

// A point: a triangle from its base on the field's edge, lighter at the base.
void PaintPoint(Raster& raster, Point baseLeft, Point baseRight, Point tip, Color color) {
    double span = tip.y - baseLeft.y;
    FillShape(
        raster, BoundingRect({baseLeft, baseRight, tip}),
        [&](double x, double y) { return InsideTriangle(baseLeft, baseRight, tip, x, y); },
        [&](int, int y) {
            double t = span != 0 ? (y + 0.5 - baseLeft.y) / span : 0;
            return Mix(Lighter(color, 0.08), Darker(color, 0.12), t);
        });
}

void PaintPoints(Raster& raster, const TableSkin& skin, Rect field, int count, double height) {
    double width = double(field.w) / count;
    for (int i = 0; i < count; ++i) {
        double left = field.x + i * width, right = left + width, mid = left + width / 2;
        double top = field.y, bottom = field.y + field.h;
        Color upper = i % 2 == 0 ? skin.pointLight : skin.pointDark;
        Color lower = i % 2 == 0 ? skin.pointDark : skin.pointLight;
        PaintPoint(raster, {left + 0.6, top}, {right - 0.6, top}, {mid, top + height}, upper);
        PaintPoint(raster, {left + 0.6, bottom}, {right - 0.6, bottom}, {mid, bottom - height},
                   lower);
    }
}

// Checkers stacked on one point: `fromTop` stacks hang from the upper edge.
void Stack(Raster& raster, Rect field, int point, int count, bool fromTop, Color body) {
    constexpr double kRadius = 13;
    double x = field.x + point * 30 + 15;
    for (int k = 0; k < count; ++k) {
        double offset = kRadius + 0.5 + k * 2 * kRadius;
        double y = fromTop ? field.y + offset : field.y + field.h - offset;
        FillCircle(raster, Point{x + 1.2, y + 1.8}, kRadius, Rgb(0, 0, 0, 80));
        DrawChecker(raster, Point{x, y}, kRadius, body);
    }
}

}  // namespace

void PaintBoardPicture(Raster& raster, int) {
    const TableSkin& skin = kSkins[kBoardSkin - 1];
    // Frame 16 pixels left and right, 14 top and bottom, a 23-pixel bar in the middle,
    // two fields of six 30-pixel points each.
    Rect leftField{16, 14, 180, 275}, rightField{219, 14, 180, 275};
    PaintFrame(raster, skin, Rect{0, 0, raster.width, raster.height}, true);
    PaintFrame(raster, skin, Rect{196, 14, 23, 275}, false);
    Bevel(raster, Rect{0, 0, raster.width, raster.height}, Lighter(skin.frameLight, 0.25),
          Darker(skin.frameDark, 0.5), 2);
    FillRect(raster, Rect{207, 14, 1, 275}, Rgb(0, 0, 0, 90));
    for (Rect field : {leftField, rightField}) {
        PaintField(raster, skin, field);
        PaintPoints(raster, skin, field, 6, 118);
    }
    // The usual starting position, seen from the light player's side.
    Color light = Rgb(238, 230, 210), dark = Rgb(44, 40, 44);
    Stack(raster, rightField, 5, 2, false, dark);   // point 1
    Stack(raster, rightField, 0, 5, false, light);  // point 6
    Stack(raster, leftField, 4, 3, false, light);   // point 8
    Stack(raster, leftField, 0, 5, false, dark);    // point 12
    Stack(raster, leftField, 0, 5, true, light);    // point 13
    Stack(raster, leftField, 4, 3, true, dark);     // point 17
    Stack(raster, rightField, 0, 5, true, dark);    // point 19
    Stack(raster, rightField, 5, 2, true, light);   // point 24
    FillRoundedRect(raster, Rect{282, 141, 23, 23}, 5, Rgb(0, 0, 0, 80));
    FillRoundedRect(raster, Rect{314, 141, 23, 23}, 5, Rgb(0, 0, 0, 80));
    DrawDie(raster, Rect{280, 139, 22, 22}, Rgb(240, 236, 222), Rgb(20, 20, 24), 5);
    DrawDie(raster, Rect{312, 139, 22, 22}, Rgb(240, 236, 222), Rgb(20, 20, 24), 3);
}

void PaintTableSkinSwatch(Raster& raster, int id) {
    const TableSkin& skin = kSkins[(id - 601) % 4];
    PaintFrame(raster, skin, Rect{0, 0, raster.width, raster.height}, true);
    Rect field{2, 2, raster.width - 4, raster.height - 4};
    PaintField(raster, skin, field);
    PaintPoints(raster, skin, field, 8, 5);
    FrameRect(raster, Rect{0, 0, raster.width, raster.height}, Darker(skin.frameDark, 0.4));
}
