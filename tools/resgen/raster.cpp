// Raster storage, compositing and the primitive shapes used by every skin painter.
#include "raster.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint8_t Channel(double v) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

double Cross(Point o, Point a, double x, double y) {
    return (a.x - o.x) * (y - o.y) - (a.y - o.y) * (x - o.x);
}

}  // namespace

Color Mix(Color a, Color b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return Color{Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
                 Channel(a.b + (b.b - a.b) * t), Channel(a.a + (b.a - a.a) * t)};
}

Color Lighter(Color c, double f) {
    return WithAlpha(Mix(c, Rgb(255, 255, 255), f), c.a);
}

Color Darker(Color c, double f) {
    return WithAlpha(Mix(c, Rgb(0, 0, 0), f), c.a);
}

Color WithAlpha(Color c, int alpha) {
    c.a = static_cast<std::uint8_t>(std::clamp(alpha, 0, 255));
    return c;
}

Rect BoundingRect(const std::vector<Point>& points, double margin) {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    for (Point p : points) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
        right = std::max(right, p.x);
        bottom = std::max(bottom, p.y);
    }
    int x0 = static_cast<int>(std::floor(left - margin));
    int y0 = static_cast<int>(std::floor(top - margin));
    int x1 = static_cast<int>(std::ceil(right + margin));
    int y1 = static_cast<int>(std::ceil(bottom + margin));
    return Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

Raster MakeRaster(int width, int height, Color fill) {
    Raster raster;
    raster.width = width;
    raster.height = height;
    raster.pixels.assign(static_cast<std::size_t>(width) * height, fill);
    return raster;
}

Color PixelAt(const Raster& raster, int x, int y) {
    x = std::clamp(x, 0, raster.width - 1);
    y = std::clamp(y, 0, raster.height - 1);
    return raster.pixels[static_cast<std::size_t>(y) * raster.width + x];
}

void SetPixel(Raster& raster, int x, int y, Color color) {
    if (x < 0 || y < 0 || x >= raster.width || y >= raster.height) return;
    raster.pixels[static_cast<std::size_t>(y) * raster.width + x] = color;
}

void BlendPixel(Raster& raster, int x, int y, Color color, double coverage) {
    if (x < 0 || y < 0 || x >= raster.width || y >= raster.height) return;
    Color& dst = raster.pixels[static_cast<std::size_t>(y) * raster.width + x];
    double sa = color.a / 255.0 * std::clamp(coverage, 0.0, 1.0);
    if (sa <= 0) return;
    double da = dst.a / 255.0;
    double oa = sa + da * (1 - sa);
    auto over = [&](double s, double d) { return (s * sa + d * da * (1 - sa)) / oa; };
    dst = Color{Channel(over(color.r, dst.r)), Channel(over(color.g, dst.g)),
                Channel(over(color.b, dst.b)), Channel(oa * 255)};
}

void FillRect(Raster& raster, Rect rect, Color color) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        for (int x = rect.x; x < rect.x + rect.w; ++x)
            BlendPixel(raster, x, y, color, 1);
    }
}

void GradientV(Raster& raster, Rect rect, Color top, Color bottom) {
    for (int y = rect.y; y < rect.y + rect.h; ++y) {
        double t = rect.h > 1 ? double(y - rect.y) / (rect.h - 1) : 0;
        FillRect(raster, Rect{rect.x, y, rect.w, 1}, Mix(top, bottom, t));
    }
}

void GradientH(Raster& raster, Rect rect, Color left, Color right) {
    for (int x = rect.x; x < rect.x + rect.w; ++x) {
        double t = rect.w > 1 ? double(x - rect.x) / (rect.w - 1) : 0;
        FillRect(raster, Rect{x, rect.y, 1, rect.h}, Mix(left, right, t));
    }
}

void FrameRect(Raster& raster, Rect rect, Color color) {
    FillRect(raster, Rect{rect.x, rect.y, rect.w, 1}, color);
    FillRect(raster, Rect{rect.x, rect.y + rect.h - 1, rect.w, 1}, color);
    FillRect(raster, Rect{rect.x, rect.y + 1, 1, rect.h - 2}, color);
    FillRect(raster, Rect{rect.x + rect.w - 1, rect.y + 1, 1, rect.h - 2}, color);
}

void Bevel(Raster& raster, Rect rect, Color light, Color dark, int thickness) {
    for (int i = 0; i < thickness; ++i) {
        Rect r{rect.x + i, rect.y + i, rect.w - 2 * i, rect.h - 2 * i};
        if (r.w <= 0 || r.h <= 0) return;
        FillRect(raster, Rect{r.x, r.y, r.w - 1, 1}, light);
        FillRect(raster, Rect{r.x, r.y + 1, 1, r.h - 2}, light);
        FillRect(raster, Rect{r.x, r.y + r.h - 1, r.w, 1}, dark);
        FillRect(raster, Rect{r.x + r.w - 1, r.y, 1, r.h - 1}, dark);
    }
}

void Blit(Raster& target, const Raster& source, int x, int y) {
    for (int sy = 0; sy < source.height; ++sy) {
        for (int sx = 0; sx < source.width; ++sx) {
            BlendPixel(target, x + sx, y + sy, PixelAt(source, sx, sy), 1);
        }
    }
}

bool InsideCircle(Point centre, double radius, double x, double y) {
    double dx = x - centre.x, dy = y - centre.y;
    return dx * dx + dy * dy <= radius * radius;
}

bool InsideRoundedRect(Rect rect, double radius, double x, double y) {
    if (x < rect.x || y < rect.y || x > rect.x + rect.w || y > rect.y + rect.h) return false;
    double cx = std::clamp(x, rect.x + radius, rect.x + rect.w - radius);
    double cy = std::clamp(y, rect.y + radius, rect.y + rect.h - radius);
    double dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
}

bool InsideTriangle(Point a, Point b, Point c, double x, double y) {
    double d1 = Cross(a, b, x, y), d2 = Cross(b, c, x, y), d3 = Cross(c, a, x, y);
    bool negative = d1 < 0 || d2 < 0 || d3 < 0;
    bool positive = d1 > 0 || d2 > 0 || d3 > 0;
    return !(negative && positive);
}

bool InsidePolygon(const std::vector<Point>& corners, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        Point a = corners[i], b = corners[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

bool NearSegment(Point a, Point b, double halfWidth, double x, double y) {
    double vx = b.x - a.x, vy = b.y - a.y;
    double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? std::clamp(((x - a.x) * vx + (y - a.y) * vy) / len2, 0.0, 1.0) : 0;
    double dx = x - (a.x + t * vx), dy = y - (a.y + t * vy);
    return dx * dx + dy * dy <= halfWidth * halfWidth;
}

void FillCircle(Raster& raster, Point centre, double radius, Color color) {
    FillShape(
        raster, BoundingRect({centre}, radius + 1),
        [&](double x, double y) { return InsideCircle(centre, radius, x, y); },
        [&](int, int) { return color; });
}

void FillRing(Raster& raster, Point centre, double outer, double inner, Color color) {
    FillShape(
        raster, BoundingRect({centre}, outer + 1),
        [&](double x, double y) {
            return InsideCircle(centre, outer, x, y) && !InsideCircle(centre, inner, x, y);
        },
        [&](int, int) { return color; });
}

void FillRoundedRect(Raster& raster, Rect rect, double radius, Color color) {
    FillRoundedShape(raster, rect, radius, [&](int, int) { return color; });
}

void FillTriangle(Raster& raster, Point a, Point b, Point c, Color color) {
    FillShape(
        raster, BoundingRect({a, b, c}, 1),
        [&](double x, double y) { return InsideTriangle(a, b, c, x, y); },
        [&](int, int) { return color; });
}

void FillPolygon(Raster& raster, const std::vector<Point>& corners, Color color) {
    FillShape(
        raster, BoundingRect(corners, 1),
        [&](double x, double y) { return InsidePolygon(corners, x, y); },
        [&](int, int) { return color; });
}

void DrawLine(Raster& raster, Point a, Point b, double width, Color color) {
    FillShape(
        raster, BoundingRect({a, b}, width + 1),
        [&](double x, double y) { return NearSegment(a, b, width / 2, x, y); },
        [&](int, int) { return color; });
}

double HashNoise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double ValueNoise(double x, double y, std::uint32_t seed) {
    int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
    double fx = x - x0, fy = y - y0;
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    double sx = smooth(fx), sy = smooth(fy);
    double top = HashNoise(x0, y0, seed) * (1 - sx) + HashNoise(x0 + 1, y0, seed) * sx;
    double bottom = HashNoise(x0, y0 + 1, seed) * (1 - sx) + HashNoise(x0 + 1, y0 + 1, seed) * sx;
    return top * (1 - sy) + bottom * sy;
}
