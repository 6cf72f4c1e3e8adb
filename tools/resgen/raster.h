// A small RGBA raster and the drawing primitives the skin painters are built from.
// Shapes are antialiased by sampling each pixel on a 4x4 grid, so edges stay smooth
// without any randomness: the same calls always give the same pixels.
#pragma once

#include <cstdint>
#include <vector>

struct Color {
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
};

constexpr Color Rgb(int r, int g, int b, int a = 255) {
    return Color{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                 static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(a)};
}

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct Point {
    double x = 0, y = 0;
};

struct Raster {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;  // row-major, top row first
};

// Colour arithmetic. Mix takes t in [0,1] from a to b; Lighter/Darker move toward white
// or black by the fraction f.
Color Mix(Color a, Color b, double t);
Color Lighter(Color c, double f);
Color Darker(Color c, double f);
Color WithAlpha(Color c, int alpha);

Raster MakeRaster(int width, int height, Color fill);
Color PixelAt(const Raster& raster, int x, int y);         // clamped to the raster's edge
void SetPixel(Raster& raster, int x, int y, Color color);  // ignores pixels outside
// Source-over compositing of `color`, its alpha scaled by coverage (0..1).
void BlendPixel(Raster& raster, int x, int y, Color color, double coverage);

void FillRect(Raster& raster, Rect rect, Color color);
void GradientV(Raster& raster, Rect rect, Color top, Color bottom);
void GradientH(Raster& raster, Rect rect, Color left, Color right);
void FrameRect(Raster& raster, Rect rect, Color color);
// Edges `thickness` pixels wide: `light` on top and left, `dark` on bottom and right
// (swap them for a sunken look).
void Bevel(Raster& raster, Rect rect, Color light, Color dark, int thickness = 1);
// Copies `source` with its top-left corner at (x, y), compositing by alpha.
void Blit(Raster& target, const Raster& source, int x, int y);

// Smallest pixel rectangle holding every point, grown by `margin` on each side.
Rect BoundingRect(const std::vector<Point>& points, double margin = 1);

// Antialiased shape fill. inside(x, y) tests a point in pixel coordinates (pixel
// centres at +0.5); paint(x, y) gives the colour of the whole pixel.
template <class Inside, class Paint>
void FillShape(Raster& raster, Rect bounds, Inside inside, Paint paint) {
    constexpr int kGrid = 4;
    for (int y = bounds.y; y < bounds.y + bounds.h; ++y) {
        for (int x = bounds.x; x < bounds.x + bounds.w; ++x) {
            if (x < 0 || y < 0 || x >= raster.width || y >= raster.height) continue;
            int hits = 0;
            for (int sy = 0; sy < kGrid; ++sy) {
                for (int sx = 0; sx < kGrid; ++sx) {
                    if (inside(x + (sx + 0.5) / kGrid, y + (sy + 0.5) / kGrid)) ++hits;
                }
            }
            if (hits > 0) BlendPixel(raster, x, y, paint(x, y), hits / double(kGrid * kGrid));
        }
    }
}

// Point tests for FillShape.
bool InsideCircle(Point centre, double radius, double x, double y);
bool InsideRoundedRect(Rect rect, double radius, double x, double y);
bool InsideTriangle(Point a, Point b, Point c, double x, double y);
bool InsidePolygon(const std::vector<Point>& corners, double x, double y);
bool NearSegment(Point a, Point b, double halfWidth, double x, double y);

// FillShape over a rectangle rounded by `radius`.
template <class Paint>
void FillRoundedShape(Raster& raster, Rect rect, double radius, Paint paint) {
    FillShape(
        raster, rect, [&](double x, double y) { return InsideRoundedRect(rect, radius, x, y); },
        paint);
}

// Solid-colour conveniences over FillShape.
void FillCircle(Raster& raster, Point centre, double radius, Color color);
void FillRing(Raster& raster, Point centre, double outer, double inner, Color color);
void FillRoundedRect(Raster& raster, Rect rect, double radius, Color color);
void FillTriangle(Raster& raster, Point a, Point b, Point c, Color color);
void FillPolygon(Raster& raster, const std::vector<Point>& corners, Color color);
void DrawLine(Raster& raster, Point a, Point b, double width, Color color);

// Smooth deterministic noise in [0,1): lattice values from an integer hash, blended
// with smoothstep. Used for wood grain, felt and marble.
double HashNoise(int x, int y, std::uint32_t seed);
double ValueNoise(double x, double y, std::uint32_t seed);
