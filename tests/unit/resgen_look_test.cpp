// The skin's looks where a fault would show on screen: pressed images, tell-apart
// swatches, seamless tiles, recognisable flags, and readable text over every bitmap
// the program writes on.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "tools/resgen/skin_catalog.h"

namespace {

const Raster& Painted(int id) {
    static std::map<int, Raster> cache;
    auto found = cache.find(id);
    if (found != cache.end()) return found->second;
    for (const BitmapEntry& entry : BitmapCatalog()) {
        if (entry.id == id) return cache[id] = PaintBitmap(entry);
    }
    ADD_FAILURE() << "no bitmap " << id;
    return cache[id] = MakeRaster(1, 1, Rgb(0, 0, 0));
}

double Linear(int channel) {
    double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Color c) {
    return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double Contrast(Color a, Color b) {
    double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double MeanLuminance(const Raster& raster) {
    double sum = 0;
    for (Color c : raster.pixels)
        sum += Luminance(c);
    return sum / raster.pixels.size();
}

double Distance(Color a, Color b) {
    return std::sqrt(
        double((a.r - b.r) * (a.r - b.r) + (a.g - b.g) * (a.g - b.g) + (a.b - b.b) * (a.b - b.b)));
}

TEST(ResgenLook, PressedImagesDifferVisibly) {
    struct Pair {
        int normal, pressed;
        bool darker;  // the pressed face is the same button pushed in
    } pairs[] = {
        {5, 6, true},    {7, 8, true},    {14, 15, true},   {17, 18, true},   {19, 20, true},
        {21, 22, true},  {24, 25, true},  {45, 46, true},   {48, 49, true},   {50, 51, true},
        {63, 64, true},  {65, 66, true},  {67, 68, true},   {69, 70, true},   {71, 72, true},
        {73, 74, true},  {75, 76, true},  {77, 78, true},   {79, 80, true},   {81, 82, true},
        {83, 84, true},  {85, 86, true},  {87, 88, true},   {89, 90, true},   {91, 92, true},
        {94, 95, true},  {96, 97, true},  {108, 109, true}, {110, 111, true}, {30, 32, true},
        {33, 35, true},  {36, 38, true},  // tab heads: not selected / pressed
        {41, 42, true},                   // menu title: highlighted / pressed
        {55, 56, true},  {57, 58, true},  {59, 60, true},   {61, 62, true},  // settings pages
        {54, 56, false}, {54, 58, false}, {54, 60, false},  {54, 62, false},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(std::to_string(pair.normal) + " / " + std::to_string(pair.pressed));
        const Raster& normal = Painted(pair.normal);
        const Raster& pressed = Painted(pair.pressed);
        ASSERT_EQ(normal.pixels.size(), pressed.pixels.size());
        std::size_t changed = 0;
        for (std::size_t i = 0; i < normal.pixels.size(); ++i) {
            changed += Distance(normal.pixels[i], pressed.pixels[i]) > 12;
        }
        // Framed buttons change only their 100x20 face inside the frame.
        std::size_t face = std::min<std::size_t>(normal.pixels.size(), 100 * 20);
        EXPECT_GT(changed, face / 3);
        if (pair.darker) {
            EXPECT_LT(MeanLuminance(pressed), MeanLuminance(normal) * 0.95);
        }
    }
}

// Mean colour of what the program shows: the whole swatch, or for checkers the circle
// it clips them to.
Color VisibleMean(const Raster& raster, bool round) {
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = 0; y < raster.height; ++y) {
        for (int x = 0; x < raster.width; ++x) {
            double dx = x + 0.5 - raster.width / 2.0, dy = y + 0.5 - raster.height / 2.0;
            if (round && dx * dx + dy * dy > 7 * 7) continue;
            Color c = PixelAt(raster, x, y);
            r += c.r, g += c.g, b += c.b, ++n;
        }
    }
    return Rgb(int(r / n), int(g / n), int(b / n));
}

TEST(ResgenLook, SwatchesOfOneFamilyAreToldApart) {
    struct Family {
        const char* name;
        int first, last;
        bool round;
    } families[] = {
        {"table skins", 601, 604, false},
        {"checkers", 701, 732, true},
        {"dice", 801, 804, false},
        {"cubes", 901, 904, false},
    };
    for (const Family& family : families) {
        SCOPED_TRACE(family.name);
        for (int a = family.first; a <= family.last; ++a) {
            for (int b = a + 1; b <= family.last; ++b) {
                Color ma = VisibleMean(Painted(a), family.round);
                Color mb = VisibleMean(Painted(b), family.round);
                EXPECT_GT(Distance(ma, mb), 30) << a << " and " << b << " look alike";
            }
        }
    }
}

TEST(ResgenLook, TilesRepeatWithoutSeams) {
    struct Tiling {
        int left, tile;
    } tilings[] = {{2, 3}, {12, 13}};
    for (const Tiling& t : tilings) {
        SCOPED_TRACE(std::to_string(t.left) + " + " + std::to_string(t.tile));
        const Raster& left = Painted(t.left);
        const Raster& tile = Painted(t.tile);
        ASSERT_EQ(left.height, tile.height);
        for (int y = 0; y < tile.height; ++y) {
            Color edge = PixelAt(left, left.width - 1, y);
            for (int x = 0; x < tile.width; ++x) {
                Color c = PixelAt(tile, x, y);
                EXPECT_TRUE(c.r == edge.r && c.g == edge.g && c.b == edge.b) << x << "," << y;
            }
        }
    }
}

TEST(ResgenLook, FlagsShowTheirNationalColours) {
    struct Sample {
        int id, x, y;
        Color expected;
        const char* note;
    } samples[] = {
        {501, 50, 5, Rgb(200, 16, 46), "St George's cross"},
        {501, 20, 37, Rgb(200, 16, 46), "cross arm"},
        {501, 35, 10, Rgb(1, 33, 105), "blue field, top left"},
        {501, 70, 70, Rgb(1, 33, 105), "blue field, bottom right"},
        {501, 20, 27, Rgb(250, 250, 250), "white edge of the cross"},
        {502, 50, 12, Rgb(0, 0, 0), "black"},
        {502, 50, 37, Rgb(221, 0, 0), "red"},
        {502, 50, 62, Rgb(255, 206, 0), "gold"},
        {503, 16, 37, Rgb(0, 146, 70), "green"},
        {503, 50, 37, Rgb(244, 245, 240), "white"},
        {503, 84, 37, Rgb(206, 43, 55), "red"},
        {504, 50, 18, Rgb(250, 250, 250), "white"},
        {504, 50, 56, Rgb(220, 20, 60), "red"},
    };
    for (const Sample& s : samples) {
        SCOPED_TRACE(std::to_string(s.id) + " " + s.note);
        EXPECT_LT(Distance(PixelAt(Painted(s.id), s.x, s.y), s.expected), 40);
    }
}

TEST(ResgenLook, TextTheProgramDrawsStaysReadable) {
    constexpr Color kWhite = Rgb(255, 255, 255);
    constexpr Color kTitle = Rgb(17, 207, 255);
    constexpr Color kMint = Rgb(120, 255, 210);
    constexpr Color kRooms = Rgb(120, 156, 255), kTourn = Rgb(0, 204, 153),
                    kRose = Rgb(230, 51, 102);
    struct Row {
        int id;
        Rect box;  // where the letters' ink lies
        Color text;
    } rows[] = {
        {3, {0, 8, 10, 16}, kTitle},
        {3, {0, 35, 10, 12}, kMint},
        {3, {0, 53, 10, 12}, kMint},
        {13, {0, 6, 10, 16}, kTitle},
        {9, {20, 12, 380, 16}, kWhite},
        {10, {30, 10, 230, 14}, kWhite},
        {11, {30, 10, 230, 14}, kWhite},
        {16, {100, 5, 250, 18}, kTitle},
        {16, {40, 117, 170, 14}, kWhite},
        {16, {40, 149, 170, 14}, kWhite},
        {21, {20, 4, 150, 12}, kWhite},
        {22, {20, 4, 150, 12}, kWhite},
        {23, {3, 10, 18, 16}, kWhite},
        {23, {82, 10, 30, 16}, kWhite},
        {30, {10, 8, 122, 14}, Rgb(140, 140, 140)},
        {33, {10, 8, 122, 14}, Rgb(140, 140, 140)},
        {36, {10, 8, 122, 14}, Rgb(140, 140, 140)},
        {31, {10, 8, 122, 14}, kRooms},
        {32, {10, 8, 122, 14}, kRooms},
        {34, {10, 8, 122, 14}, kTourn},
        {35, {10, 8, 122, 14}, kTourn},
        {37, {10, 8, 122, 14}, kRose},
        {38, {10, 8, 122, 14}, kRose},
        {39, {10, 15, 120, 20}, kTitle},
        {39, {5, 55, 130, 185}, kMint},
        {40, {4, 6, 121, 14}, kWhite},
        {41, {4, 3, 117, 14}, kWhite},
        {41, {4, 3, 117, 14}, Rgb(212, 212, 212)},
        {42, {4, 3, 117, 14}, kWhite},
        {43, {4, 3, 117, 14}, Rgb(212, 212, 212)},
        {44, {150, 6, 195, 16}, kTitle},
        {44, {150, 29, 195, 26}, Rgb(0, 195, 130)},
        {44, {20, 72, 310, 16}, kTitle},
        {44, {20, 92, 310, 12}, Rgb(143, 191, 174)},
        {44, {20, 210, 310, 48}, Rgb(143, 191, 174)},
        {44, {20, 276, 310, 34}, kWhite},
        {47, {150, 6, 185, 18}, kTitle},
        {47, {20, 78, 445, 16}, Rgb(192, 192, 192)},
        {54, {8, 4, 84, 12}, Rgb(200, 200, 200)},
        {93, {2, 2, 426, 205}, kRooms},
        {93, {2, 2, 426, 205}, kTourn},
        {93, {2, 2, 426, 205}, kRose},
        {93, {2, 2, 426, 205}, Rgb(164, 164, 164)},
        {107, {4, 3, 190, 100}, Rgb(0, 0, 0)},
    };
    auto check = [](int id, Rect box, Color text) {
        SCOPED_TRACE("bitmap " + std::to_string(id) + " at " + std::to_string(box.x) + "," +
                     std::to_string(box.y));
        const Raster& raster = Painted(id);
        int readable = 0, total = 0;
        for (int y = box.y; y < box.y + box.h; ++y) {
            for (int x = box.x; x < box.x + box.w; ++x) {
                readable += Contrast(PixelAt(raster, x, y), text) >= 3.0;
                ++total;
            }
        }
        EXPECT_GE(readable, total * 95 / 100);
    };
    for (const Row& row : rows)
        check(row.id, row.box, row.text);
    // Labelled buttons: white on every face, normal and pressed.
    for (int id : {14, 15, 17, 18, 19, 20, 24, 25, 45, 46, 48, 49, 50, 51, 55, 56, 57,
                   58, 59, 60, 61, 62, 67, 68, 71, 72, 75, 76, 91, 92, 94, 95, 96, 97}) {
        check(id, Rect{8, 4, 84, 12}, kWhite);
    }
    for (int id : {65, 66, 69, 70, 73, 74, 77, 78})
        check(id, Rect{10, 4, 320, 12}, kWhite);
    for (int id = 79; id <= 90; ++id)
        check(id, Rect{8, 4, 115, 10}, id <= 84 ? kRooms : kTourn);
    for (int id = 108; id <= 111; ++id)
        check(id, Rect{10, 8, 95, 19}, kWhite);
}

}  // namespace
