// Off-screen painting shared by every skinned window: the whole control is drawn into a
// memory bitmap and the invalid part copied to the screen in one BitBlt.
#pragma once

#include <windows.h>

#include <string>

struct Canvas {
    HWND window;
    PAINTSTRUCT paint;
    HDC dc;  // memory context to draw into; transparent text background
    HBITMAP bitmap;
    HGDIOBJ previousBitmap;
    int width;
    int height;
    bool kept;  // the canvas kept between paints, not one made for this paint
};

// Answers WM_PAINT: BeginPaint and a memory context at least the size of the client area.
void BeginCanvas(HWND window, Canvas& canvas);
// Copies the invalid rectangle to the window, gives back the memory context, EndPaint.
void EndCanvas(Canvas& canvas);

// Draws bitmap resource `id` at (x, y), cut to width x height (0: the whole bitmap).
// Each bitmap is loaded at its first use and kept; one that does not load draws nothing.
void DrawResourceBitmap(HDC dc, int id, int x, int y, int width = 0, int height = 0);
// Bitmap `id` (width x height) tiled along y from x `left` in steps of its width, as
// many times as reach `lastLeft`; the last tile is pulled back to start at `lastLeft`.
void DrawResourceBitmapRow(HDC dc, int id, int left, int lastLeft, int y, int width, int height);
// The same, clipped to the ellipse inside (x, y) .. (right, bottom).
void DrawResourceBitmapInEllipse(HDC dc, int id, int x, int y, int right, int bottom);

// Draws `text` centred in the box: x = (box width - text width) / 2 + left, and the same
// for y, in integer division.
void DrawCentredText(HDC dc, const std::wstring& text, HFONT font, COLORREF colour,
                     const RECT& box);
// Width of `text` in `font`.
int TextWidth(HDC dc, const std::wstring& text, HFONT font);
// Draws `text` centred across `width` pixels from `left`, with its top at y.
void DrawCentredAcross(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, int left,
                       int width, int y);
// Draws `text` with its top-left corner at (x, y).
void DrawTextAt(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, int x, int y);
// The same at the box's top-left corner, cut to the box: a text too wide for it ends in an
// ellipsis instead of running into what lies beside it. The box reaches below the row:
// the letters' descenders do.
void DrawTextInColumn(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, RECT box);

// A whole control painted as one bitmap with an optional centred label: the simple
// families' WM_PAINT.
void PaintBitmapWithLabel(HWND window, int bitmapId, const std::wstring& label, HFONT font,
                          COLORREF colour);
// The same with the label centred in `box` instead of the whole control.
void PaintBitmapWithLabelIn(HWND window, int bitmapId, const std::wstring& label, HFONT font,
                            COLORREF colour, const RECT& box);

// The module whose resources hold the skin.
HINSTANCE SkinModule();

// Paints so far, and the GDI objects painting made for itself (memory contexts and
// bitmaps, loaded bitmaps, clip regions) as they were made and deleted; a deletion that
// fails does not count. What painting keeps (the canvas, each skin bitmap once) is made
// once; everything else a paint makes it deletes, so once every window has been painted
// the difference stays the same: a test repaints and compares it.
struct PaintCounts {
    long paints;
    long created;
    long deleted;
};
PaintCounts PaintCountsSoFar();
