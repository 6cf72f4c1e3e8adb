// Glyph tables of the two pixel fonts and their drawing loops.
#include "pixel_font.h"

namespace {

struct Glyph {
    char ch;
    const char* rows[kGlyphHeight];
};

// Only the letters of the program's name and the digits are needed.
constexpr Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."}},
};

constexpr const char* kTinyDigits[10][5] = {
    {"###", "#.#", "#.#", "#.#", "###"}, {".#.", "##.", ".#.", ".#.", "###"},
    {"###", "..#", "###", "#..", "###"}, {"###", "..#", "###", "..#", "###"},
    {"#.#", "#.#", "###", "..#", "..#"}, {"###", "#..", "###", "..#", "###"},
    {"###", "#..", "###", "#.#", "###"}, {"###", "..#", "..#", "..#", "..#"},
    {"###", "#.#", "###", "#.#", "###"}, {"###", "#.#", "###", "..#", "###"},
};

const Glyph* FindGlyph(char ch) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.ch == ch) return &glyph;
    }
    return nullptr;
}

}  // namespace

int PixelTextWidth(std::string_view text, int scale) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale - scale;
}

void DrawPixelText(Raster& raster, int x, int y, std::string_view text, int scale, Color color) {
    for (char ch : text) {
        if (const Glyph* glyph = FindGlyph(ch)) {
            for (int row = 0; row < kGlyphHeight; ++row) {
                for (int col = 0; col < kGlyphWidth; ++col) {
                    if (glyph->rows[row][col] != '#') continue;
                    FillRect(raster, Rect{x + col * scale, y + row * scale, scale, scale}, color);
                }
            }
        }
        x += (kGlyphWidth + 1) * scale;
    }
}

void DrawTinyDigits(Raster& raster, int x, int y, std::string_view digits, Color color) {
    for (char ch : digits) {
        if (ch >= '0' && ch <= '9') {
            for (int row = 0; row < 5; ++row) {
                for (int col = 0; col < 3; ++col) {
                    if (kTinyDigits[ch - '0'][row][col] == '#') {
                        SetPixel(raster, x + col, y + row, color);
                    }
                }
            }
        }
        x += 4;
    }
}
