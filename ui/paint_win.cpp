// Off-screen painting helpers: canvas, resource bitmaps, centred text.
#include "ui/paint_win.h"

#include <algorithm>
#include <vector>

#include "net/hub_handles_win.h"
#include "ui/drawing_objects_win.h"

namespace {

PaintCounts paintCounts;

// Space kept free on each side of a label that only fits in narrower letters.
constexpr int kLabelMargin = 2;

template <typename Handle>
Handle Made(Handle handle) {
    if (handle != nullptr) ++paintCounts.created;
    return handle;
}

void Gone(BOOL deleted) {
    if (deleted) ++paintCounts.deleted;
}

}  // namespace

PaintCounts PaintCountsSoFar() {
    return paintCounts;
}

HINSTANCE SkinModule() {
    return programInstance != nullptr ? programInstance : GetModuleHandleW(nullptr);
}

namespace {

// The canvas kept between paints: one memory context with a bitmap as large as the largest
// window painted so far. A paint that starts while it is in use gets one of its own.
struct KeptCanvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ firstBitmap = nullptr;
    int width = 0;
    int height = 0;
    bool inUse = false;
};
KeptCanvas keptCanvas;

bool TakeKeptCanvas(HDC screen, int width, int height) {
    KeptCanvas& kept = keptCanvas;
    if (kept.inUse) return false;
    if (kept.dc == nullptr) {
        kept.dc = Made(CreateCompatibleDC(screen));
        if (kept.dc == nullptr) return false;
    }
    if (width > kept.width || height > kept.height) {
        const int keptWidth = std::max(width, kept.width),
                  keptHeight = std::max(height, kept.height);
        HBITMAP larger = Made(CreateCompatibleBitmap(screen, keptWidth, keptHeight));
        if (larger == nullptr) return false;
        HGDIOBJ previous = SelectObject(kept.dc, larger);
        if (kept.bitmap == nullptr)
            kept.firstBitmap = previous;
        else
            Gone(DeleteObject(kept.bitmap));
        kept.bitmap = larger;
        kept.width = keptWidth;
        kept.height = keptHeight;
    }
    kept.inUse = true;
    return true;
}

}  // namespace

void BeginCanvas(HWND window, Canvas& canvas) {
    canvas.window = window;
    HDC screen = BeginPaint(window, &canvas.paint);
    RECT client;
    GetClientRect(window, &client);
    // A zero-sized window still gets a valid bitmap to select.
    canvas.width = std::max<int>(1, client.right);
    canvas.height = std::max<int>(1, client.bottom);
    canvas.kept = TakeKeptCanvas(screen, canvas.width, canvas.height);
    if (canvas.kept) {
        canvas.dc = keptCanvas.dc;
        canvas.bitmap = keptCanvas.bitmap;
    } else {
        canvas.dc = Made(CreateCompatibleDC(screen));
        canvas.bitmap = Made(CreateCompatibleBitmap(screen, canvas.width, canvas.height));
        canvas.previousBitmap = SelectObject(canvas.dc, canvas.bitmap);
    }
    SetBkMode(canvas.dc, TRANSPARENT);
    // Only the invalid part reaches the screen, so only it is drawn: a change of a few rows
    // or of the title band costs a few rows' drawing, not the whole window's. A short
    // paint holds the messages that arrive meanwhile (a server message and its
    // acknowledgement) for less.
    const RECT& invalid = canvas.paint.rcPaint;
    IntersectClipRect(canvas.dc, invalid.left, invalid.top, invalid.right, invalid.bottom);
    // Dialogs sized from the framed main window are a few pixels larger than their
    // pictures; the skin's navy, not black, shows there.
    RECT all{0, 0, canvas.width, canvas.height};
    FillRect(canvas.dc, &all, navyBrush);
}

void EndCanvas(Canvas& canvas) {
    const RECT& invalid = canvas.paint.rcPaint;
    // Right and bottom go in as width and height: always at least the invalid area, and
    // the paint context clips the rest.
    BitBlt(canvas.paint.hdc, invalid.left, invalid.top, invalid.right, invalid.bottom, canvas.dc,
           invalid.left, invalid.top, SRCCOPY);
    if (canvas.kept) {
        SelectClipRgn(canvas.dc, nullptr);
        keptCanvas.inUse = false;
    } else {
        SelectObject(canvas.dc, canvas.previousBitmap);
        Gone(DeleteDC(canvas.dc));
        Gone(DeleteObject(canvas.bitmap));
    }
    EndPaint(canvas.window, &canvas.paint);
    ++paintCounts.paints;
}

namespace {

// A skin bitmap, loaded at its first use and kept for the life of the process: the skin
// never changes while the program runs, and the texts of every language are drawn over
// the same bitmaps. Each is selected into a memory context of its own once, there to
// stay: under Wine selecting a bitmap into a context costs about 0.1 ms (the context's
// font is realised again for the display), and a paint copies a dozen bitmaps.
struct KeptBitmap {
    int id;
    HBITMAP bitmap;
    HDC source;  // the context the bitmap stays selected into
    int width;
    int height;
};
std::vector<KeptBitmap> keptBitmaps;

const KeptBitmap* SkinBitmap(int id) {
    for (const KeptBitmap& kept : keptBitmaps)
        if (kept.id == id) return kept.bitmap != nullptr ? &kept : nullptr;
    KeptBitmap kept{id, Made(LoadBitmapW(SkinModule(), MAKEINTRESOURCEW(id))), nullptr, 0, 0};
    BITMAP info{};
    if (kept.bitmap != nullptr && GetObjectW(kept.bitmap, sizeof info, &info) == sizeof info) {
        kept.width = info.bmWidth;
        kept.height = info.bmHeight;
        kept.source = Made(CreateCompatibleDC(nullptr));
        if (kept.source != nullptr) SelectObject(kept.source, kept.bitmap);
    }
    if (kept.source == nullptr) {  // drawn as if it did not load, and not tried again
        if (kept.bitmap != nullptr) Gone(DeleteObject(kept.bitmap));
        kept.bitmap = nullptr;
    }
    // An id that does not load is remembered too, and not tried again at every paint.
    keptBitmaps.push_back(kept);
    return kept.bitmap != nullptr ? &keptBitmaps.back() : nullptr;
}

// Copies bitmap `id` to each x of `lefts` at y.
template <typename Lefts>
void CopyResourceBitmap(HDC dc, int id, const Lefts& lefts, int y, int width, int height) {
    const KeptBitmap* kept = SkinBitmap(id);
    if (kept == nullptr) return;
    // Never copy from beyond the bitmap: a smaller window shows its top-left part.
    width = width == 0 ? kept->width : std::min<int>(width, kept->width);
    height = height == 0 ? kept->height : std::min<int>(height, kept->height);
    for (int x : lefts)
        BitBlt(dc, x, y, width, height, kept->source, 0, 0, SRCCOPY);
}

}  // namespace

void DrawResourceBitmap(HDC dc, int id, int x, int y, int width, int height) {
    const int lefts[] = {x};
    CopyResourceBitmap(dc, id, lefts, y, width, height);
}

void DrawResourceBitmapRow(HDC dc, int id, int left, int lastLeft, int y, int width, int height) {
    std::vector<int> lefts;
    for (int x = left;; x += width) {
        lefts.push_back(std::min(x, lastLeft));
        if (x >= lastLeft) break;
    }
    CopyResourceBitmap(dc, id, lefts, y, width, height);
}

void DrawResourceBitmapInEllipse(HDC dc, int id, int x, int y, int right, int bottom) {
    HRGN ellipse = Made(CreateEllipticRgn(x, y, right, bottom));
    // Saved and restored: the paint's own clip to its invalid part holds again afterwards.
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, ellipse);
    DrawResourceBitmap(dc, id, x, y);
    RestoreDC(dc, saved);
    Gone(DeleteObject(ellipse));
}

int TextWidth(HDC dc, const std::wstring& text, HFONT font) {
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    return size.cx;
}

void DrawTextAt(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, int x, int y) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
    SelectObject(dc, previous);
}

void DrawTextInColumn(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, RECT box) {
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box,
              DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, previous);
}

void DrawCentredAcross(HDC dc, const std::wstring& text, HFONT font, COLORREF colour, int left,
                       int width, int y) {
    if (text.empty()) return;
    DrawTextAt(dc, text, font, colour, left + (width - TextWidth(dc, text, font)) / 2, y);
}

namespace {

// The narrower fonts long labels need, kept like the bitmaps: there are only as many as
// there are labels too wide for their buttons in the program's languages.
struct KeptNarrowFont {
    HFONT from;
    LONG width;
    HFONT font;
};
std::vector<KeptNarrowFont> keptNarrowFonts;

HFONT NarrowFont(HFONT from, const LOGFONTW& shape) {
    for (const KeptNarrowFont& kept : keptNarrowFonts)
        if (kept.from == from && kept.width == shape.lfWidth) return kept.font;
    HFONT made = Made(CreateFontIndirectW(&shape));
    keptNarrowFonts.push_back({from, shape.lfWidth, made});
    return made;
}

}  // namespace

void DrawCentredText(HDC dc, const std::wstring& text, HFONT font, COLORREF colour,
                     const RECT& box) {
    if (text.empty()) return;
    const int length = static_cast<int>(text.size());
    HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), length, &size);
    // A label wider than its box (a long translation on a 100-pixel button) is drawn
    // in narrower letters of the same font rather than cut.
    const int room = box.right - box.left - 2 * kLabelMargin;
    LOGFONTW shape{};
    if (size.cx > room && room > 0 && GetObjectW(font, sizeof shape, &shape) == sizeof shape &&
        shape.lfWidth > 0) {
        shape.lfWidth = std::max<LONG>(3, shape.lfWidth * room / size.cx);
        if (HFONT narrow = NarrowFont(font, shape)) {
            SelectObject(dc, narrow);
            GetTextExtentPoint32W(dc, text.c_str(), length, &size);
        }
    }
    int x = (box.right - box.left - size.cx) / 2 + box.left;
    int y = (box.bottom - box.top - size.cy) / 2 + box.top;
    SetTextColor(dc, colour);
    TextOutW(dc, x, y, text.c_str(), length);
    SelectObject(dc, previous);
}

void PaintBitmapWithLabelIn(HWND window, int bitmapId, const std::wstring& label, HFONT font,
                            COLORREF colour, const RECT& box) {
    Canvas canvas;
    BeginCanvas(window, canvas);
    DrawResourceBitmap(canvas.dc, bitmapId, 0, 0, canvas.width, canvas.height);
    DrawCentredText(canvas.dc, label, font, colour, box);
    EndCanvas(canvas);
}

void PaintBitmapWithLabel(HWND window, int bitmapId, const std::wstring& label, HFONT font,
                          COLORREF colour) {
    RECT client;
    GetClientRect(window, &client);
    PaintBitmapWithLabelIn(window, bitmapId, label, font, colour, client);
}
