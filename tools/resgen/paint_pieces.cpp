// Game pieces and small icons: checkers, dice and cubes (also their 16x16 design
// swatches), the money-kind icons of the lists and the contact presence icons.
#include <cmath>
#include <numbers>
#include <vector>

#include "pixel_font.h"
#include "skin_painters.h"
#include "skin_style.h"

namespace {

// The 32 checker designs, chosen far apart in colour so that every pair is told apart
// at a glance (white and black players pick two of them).
constexpr Color kCheckerColors[32] = {
    Rgb(236, 228, 206), Rgb(36, 34, 38),    Rgb(196, 30, 48),   Rgb(40, 80, 200),
    Rgb(30, 120, 60),   Rgb(226, 178, 40),  Rgb(236, 120, 30),  Rgb(120, 50, 160),
    Rgb(240, 130, 180), Rgb(120, 72, 36),   Rgb(40, 190, 210),  Rgb(150, 154, 160),
    Rgb(24, 36, 100),   Rgb(110, 20, 30),   Rgb(120, 124, 40),  Rgb(20, 120, 120),
    Rgb(150, 220, 60),  Rgb(210, 40, 170),  Rgb(120, 180, 240), Rgb(150, 230, 190),
    Rgb(180, 160, 230), Rgb(250, 128, 110), Rgb(255, 196, 150), Rgb(60, 220, 150),
    Rgb(70, 40, 130),   Rgb(210, 190, 140), Rgb(184, 100, 60),  Rgb(80, 96, 112),
    Rgb(150, 40, 90),   Rgb(250, 240, 80),  Rgb(70, 130, 180),  Rgb(250, 250, 252),
};

struct PieceDesign {
    Color body;
    Color mark;  // pips or cube numbers
};

constexpr PieceDesign kDiceDesigns[4] = {
    {Rgb(240, 236, 222), Rgb(20, 20, 24)},
    {Rgb(34, 34, 40), Rgb(244, 244, 244)},
    {Rgb(190, 32, 44), Rgb(250, 246, 240)},
    {Rgb(36, 78, 180), Rgb(250, 250, 250)},
};

constexpr PieceDesign kCubeDesigns[4] = {
    {Rgb(238, 230, 206), Rgb(24, 24, 28)},
    {Rgb(44, 44, 50), Rgb(232, 190, 80)},
    {Rgb(140, 28, 52), Rgb(252, 244, 236)},
    {Rgb(28, 112, 72), Rgb(250, 250, 240)},
};

bool IsDark(Color c) {
    return c.r * 299 + c.g * 587 + c.b * 114 < 90 * 1000;
}

// A shaded ball for the presence icons.
void DrawBall(Raster& raster, Point centre, double radius, Color body) {
    FillCircle(raster, centre, radius, Darker(body, 0.45));
    Point light{centre.x - radius * 0.35, centre.y - radius * 0.4};
    FillShape(
        raster, BoundingRect({centre}, radius),
        [&](double x, double y) { return InsideCircle(centre, radius - 1, x, y); },
        [&](int x, int y) {
            double d = std::hypot(x + 0.5 - light.x, y + 0.5 - light.y) / (radius * 1.6);
            return Mix(Lighter(body, 0.35), Darker(body, 0.2), d);
        });
    FillCircle(raster, Point{centre.x - radius * 0.3, centre.y - radius * 0.42}, radius * 0.28,
               Rgb(255, 255, 255, 90));
}

void DrawPips(Raster& raster, Rect face, int value, double radius, Color color) {
    double l = face.x + face.w * 0.27, c = face.x + face.w * 0.5, r = face.x + face.w * 0.73;
    double t = face.y + face.h * 0.27, m = face.y + face.h * 0.5, b = face.y + face.h * 0.73;
    std::vector<Point> pips;
    if (value % 2 == 1) pips.push_back({c, m});
    if (value >= 2) pips.insert(pips.end(), {{r, t}, {l, b}});
    if (value >= 4) pips.insert(pips.end(), {{l, t}, {r, b}});
    if (value == 6) pips.insert(pips.end(), {{l, m}, {r, m}});
    for (Point p : pips)
        FillCircle(raster, p, radius, color);
}

}  // namespace

void DrawChecker(Raster& raster, Point centre, double radius, Color body) {
    Color rim = IsDark(body) ? Lighter(body, 0.3) : Darker(body, 0.45);
    FillCircle(raster, centre, radius, rim);
    Point light{centre.x - radius * 0.35, centre.y - radius * 0.35};
    FillShape(
        raster, BoundingRect({centre}, radius),
        [&](double x, double y) { return InsideCircle(centre, radius * 0.9, x, y); },
        [&](int x, int y) {
            double d = std::hypot(x + 0.5 - light.x, y + 0.5 - light.y) / (radius * 1.7);
            return Mix(Lighter(body, 0.22), Darker(body, 0.18), d);
        });
    Color groove = IsDark(body) ? Rgb(255, 255, 255, 50) : Rgb(0, 0, 0, 60);
    FillRing(raster, centre, radius * 0.62, radius * 0.5, groove);
    FillCircle(raster, Point{centre.x - radius * 0.28, centre.y - radius * 0.34}, radius * 0.2,
               Rgb(255, 255, 255, 70));
}

void DrawDie(Raster& raster, Rect rect, Color body, Color pips, int value) {
    double radius = rect.w * 0.2;
    FillRoundedRect(raster, rect, radius, Darker(body, IsDark(body) ? 0.0 : 0.45));
    Rect face{rect.x + 1, rect.y + 1, rect.w - 2, rect.h - 2};
    FillRoundedShape(raster, face, radius - 1, [&](int x, int y) {
        double t = double((x - face.x) + (y - face.y)) / (face.w + face.h);
        return Mix(Lighter(body, 0.18), Darker(body, 0.12), t);
    });
    DrawPips(raster, face, value, rect.w * 0.085, pips);
}

Color CheckerColor(int design) {
    return kCheckerColors[(design - 1) % 32];
}

void PaintCheckerSwatch(Raster& raster, int id) {
    DrawChecker(raster, Point{8, 8}, 7.8, CheckerColor(id - 700));
}

void PaintDiceSwatch(Raster& raster, int id) {
    const PieceDesign& design = kDiceDesigns[(id - 801) % 4];
    DrawDie(raster, Rect{0, 0, 16, 16}, design.body, design.mark, 5);
}

void PaintCubeSwatch(Raster& raster, int id) {
    const PieceDesign& d = kCubeDesigns[(id - 901) % 4];
    // Seen a little from above and the right: front face, top and side in perspective.
    FillPolygon(raster, {{0, 3}, {3, 0}, {16, 0}, {13, 3}}, Lighter(d.body, 0.25));
    FillPolygon(raster, {{13, 3}, {16, 0}, {16, 13}, {13, 16}}, Darker(d.body, 0.3));
    GradientV(raster, Rect{0, 3, 13, 13}, Lighter(d.body, 0.08), Darker(d.body, 0.1));
    FrameRect(raster, Rect{0, 3, 13, 13}, Darker(d.body, IsDark(d.body) ? 0.0 : 0.5));
    DrawLine(raster, {13, 3}, {16, 0}, 0.8, Darker(d.body, 0.5));
    DrawTinyDigits(raster, 3, 7, "64", d.mark);
}

void PaintMoneyIcon(Raster& raster, int id) {
    Point c{8, 8};
    if (id == 98) {  // real money: a gold coin
        FillCircle(raster, c, 7.5, Rgb(120, 82, 20));
        FillCircle(raster, c, 6.6, Rgb(232, 186, 64));
        FillRing(raster, c, 5.4, 4.7, Rgb(170, 120, 30));
        DrawLine(raster, {6.3, 5.2}, {6.3, 10.8}, 1.1, Rgb(140, 96, 20));
        DrawLine(raster, {6.3, 5.2}, {10.2, 5.2}, 1.1, Rgb(140, 96, 20));
        DrawLine(raster, {6.3, 10.8}, {10.2, 10.8}, 1.1, Rgb(140, 96, 20));
        DrawLine(raster, {4.8, 7.2}, {9.2, 7.2}, 1.0, Rgb(140, 96, 20));
        DrawLine(raster, {4.8, 8.8}, {9.2, 8.8}, 1.0, Rgb(140, 96, 20));
        FillCircle(raster, {5.5, 4.8}, 1.4, Rgb(255, 255, 255, 110));
    } else if (id == 99) {  // play money: a poker chip
        FillCircle(raster, c, 7.5, Rgb(90, 14, 22));
        FillCircle(raster, c, 6.7, Rgb(200, 36, 48));
        for (int k = 0; k < 6; ++k) {
            double a = k * std::numbers::pi / 3;
            Point p{c.x + std::cos(a) * 5.4, c.y + std::sin(a) * 5.4};
            FillCircle(raster, p, 1.3, Rgb(245, 240, 232));
        }
        FillCircle(raster, c, 3.3, Rgb(245, 240, 232));
        FillCircle(raster, c, 2.2, Rgb(200, 36, 48));
    } else {  // free: a star
        std::vector<Point> star;
        for (int k = 0; k < 10; ++k) {
            double a = -std::numbers::pi / 2 + k * std::numbers::pi / 5;
            double r = k % 2 == 0 ? 7.6 : 3.2;
            star.push_back({c.x + std::cos(a) * r, c.y + 0.6 + std::sin(a) * r});
        }
        FillPolygon(raster, star, Rgb(40, 96, 150));
        for (Point& p : star)
            p = {c.x + (p.x - c.x) * 0.78, c.y + 0.3 + (p.y - c.y - 0.6) * 0.78};
        FillPolygon(raster, star, Rgb(130, 200, 255));
    }
}

void PaintContactIcon(Raster& raster, int id) {
    Point c{10, 10};
    Color white = Rgb(255, 255, 255);
    switch (id) {
        case 101:  // offline
            DrawBall(raster, c, 7.5, Rgb(140, 146, 156));
            break;
        case 102:  // online but shown as offline: hollow ball
            DrawBall(raster, c, 7.5, Rgb(140, 146, 156));
            FillRing(raster, c, 4.2, 2.6, white);
            break;
        case 103:  // do not disturb
            DrawBall(raster, c, 7.5, Rgb(210, 44, 44));
            FillRoundedRect(raster, Rect{5, 9, 10, 3}, 1, white);
            break;
        case 104:  // away: clock hands
            DrawBall(raster, c, 7.5, Rgb(236, 160, 30));
            DrawLine(raster, {10, 10.5}, {10, 5.5}, 1.6, white);
            DrawLine(raster, {10, 10.5}, {13.5, 12}, 1.6, white);
            break;
        case 105:  // online: check mark
            DrawBall(raster, c, 7.5, Rgb(44, 170, 72));
            DrawLine(raster, {6.2, 10.2}, {8.8, 12.8}, 1.9, white);
            DrawLine(raster, {8.8, 12.8}, {13.8, 7.0}, 1.9, white);
            break;
        default:  // ignored: no-entry sign
            DrawBall(raster, c, 7.5, Rgb(96, 96, 104));
            FillRing(raster, c, 5.2, 3.6, Rgb(230, 60, 60));
            DrawLine(raster, {6.6, 13.4}, {13.4, 6.6}, 1.6, Rgb(230, 60, 60));
            break;
    }
}
