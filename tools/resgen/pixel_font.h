// A 5x7 pixel font for the few marks the bitmaps carry: the logo name and the numbers
// on the doubling cube. Everything else on screen is text the program draws itself.
#pragma once

#include <string_view>

#include "raster.h"

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Width in pixels of `text` at `scale`, with one scaled pixel between glyphs.
int PixelTextWidth(std::string_view text, int scale);

// Draws `text` with its top-left corner at (x, y); each font pixel becomes a
// scale x scale square. Characters the font lacks are drawn as blanks.
void DrawPixelText(Raster& raster, int x, int y, std::string_view text, int scale, Color color);

// Digits in a compact 3x5 form, for the 16x16 cube swatches.
void DrawTinyDigits(Raster& raster, int x, int y, std::string_view digits, Color color);
