// The lists' scroll bars drawn by the system once per look, then copied.
#include "ui/scroll_bar_picture_win.h"

#include <cstring>
#include <iterator>
#include <type_traits>
#include <vector>

namespace {

// Everything the system's drawing of a vertical scroll bar depends on.
struct BarLook {
    RECT bar;  // in window coordinates
    int lineButton;
    int thumbTop;
    int thumbBottom;
    DWORD states[CCHILDREN_SCROLLBAR + 1];
    COLORREF colours[8];
    BOOL enabled;
};
static_assert(std::has_unique_object_representations_v<BarLook>, "compared bytewise");

struct Picture {
    HWND window;
    BarLook look;
    HDC dc;
    HBITMAP bitmap = nullptr;
    HGDIOBJ firstBitmap = nullptr;
    int width = 0;
    int height = 0;
};
std::vector<Picture> pictures;  // one per list window that has painted its bar

Picture* PictureOf(HWND window) {
    for (Picture& picture : pictures)
        if (picture.window == window) return &picture;
    return nullptr;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// The bar's look now, and where it is on the screen; false when it is not one to keep or
// copy: hidden, being dragged or pressed, or under the pointer (a themed bar lights the
// part under the pointer).
bool SteadyLook(HWND window, BarLook& look, RECT& onScreen) {
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (!GetScrollBarInfo(window, OBJID_VSCROLL, &info)) return false;
    if ((info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0) return false;
    if (GetCapture() != nullptr) return false;
    POINT pointer{};
    if (GetCursorPos(&pointer) && PtInRect(&info.rcScrollBar, pointer)) return false;
    RECT windowRect{};
    GetWindowRect(window, &windowRect);
    std::memset(&look, 0, sizeof look);
    onScreen = info.rcScrollBar;
    look.bar = info.rcScrollBar;
    OffsetRect(&look.bar, -windowRect.left, -windowRect.top);
    if (Width(look.bar) <= 0 || Height(look.bar) <= 0) return false;
    look.lineButton = info.dxyLineButton;
    look.thumbTop = info.xyThumbTop;
    look.thumbBottom = info.xyThumbBottom;
    std::memcpy(look.states, info.rgstate, sizeof look.states);
    const int colours[] = {COLOR_SCROLLBAR,  COLOR_3DFACE,  COLOR_3DSHADOW, COLOR_3DHILIGHT,
                           COLOR_3DDKSHADOW, COLOR_3DLIGHT, COLOR_BTNTEXT,  COLOR_GRAYTEXT};
    static_assert(std::size(colours) == std::size(BarLook{}.colours));
    for (std::size_t i = 0; i < std::size(colours); ++i)
        look.colours[i] = GetSysColor(colours[i]);
    look.enabled = IsWindowEnabled(window);
    return true;
}

// True when the paint's region (1: the whole window) covers the whole bar, so that the
// system has just drawn all of it.
bool RegionCoversBar(WPARAM region, const RECT& onScreen) {
    if (region == 1) return true;
    HRGN outside = CreateRectRgnIndirect(&onScreen);  // the region is in screen coordinates
    if (outside == nullptr) return false;
    const int left = CombineRgn(outside, outside, reinterpret_cast<HRGN>(region), RGN_DIFF);
    DeleteObject(outside);
    return left == NULLREGION;
}

// Copies the bar from the window into the picture; until that succeeds no look matches it.
void Copy(Picture& picture, HDC screen, const BarLook& look) {
    const int width = Width(look.bar), height = Height(look.bar);
    std::memset(&picture.look, 0, sizeof picture.look);
    if (picture.bitmap == nullptr || picture.width != width || picture.height != height) {
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        if (bitmap == nullptr) return;
        HGDIOBJ previous = SelectObject(picture.dc, bitmap);
        if (picture.bitmap == nullptr)
            picture.firstBitmap = previous;
        else
            DeleteObject(picture.bitmap);
        picture.bitmap = bitmap;
        picture.width = width;
        picture.height = height;
    }
    if (BitBlt(picture.dc, 0, 0, width, height, screen, look.bar.left, look.bar.top, SRCCOPY))
        picture.look = look;
}

// Keeps the bar as the system has just drawn it, if all of it is visible on the window
// (a part hidden behind another window would be kept as that window's pixels).
void Keep(HWND window, const BarLook& look) {
    HDC screen = GetWindowDC(window);
    if (screen == nullptr) return;
    RECT visible{};
    if (GetClipBox(screen, &visible) == SIMPLEREGION && visible.left <= look.bar.left &&
        visible.top <= look.bar.top && visible.right >= look.bar.right &&
        visible.bottom >= look.bar.bottom) {
        Picture* picture = PictureOf(window);
        if (picture == nullptr) {
            HDC dc = CreateCompatibleDC(screen);
            if (dc != nullptr) picture = &pictures.emplace_back(Picture{window, {}, dc});
        }
        if (picture != nullptr) Copy(*picture, screen, look);
    }
    ReleaseDC(window, screen);
}

LRESULT PaintScrollBar(HWND window, WPARAM wParam, LPARAM lParam) {
    BarLook look{};
    RECT onScreen{};
    const bool steady = SteadyLook(window, look, onScreen);
    Picture* picture = PictureOf(window);
    if (steady && picture != nullptr && picture->bitmap != nullptr &&
        std::memcmp(&picture->look, &look, sizeof look) == 0) {
        HDC screen = GetWindowDC(window);
        if (screen != nullptr) {
            BitBlt(screen, look.bar.left, look.bar.top, Width(look.bar), Height(look.bar),
                   picture->dc, 0, 0, SRCCOPY);
            ReleaseDC(window, screen);
            return 0;
        }
    }
    const LRESULT result = DefWindowProcW(window, WM_NCPAINT, wParam, lParam);
    if (steady && RegionCoversBar(wParam, onScreen)) Keep(window, look);
    return result;
}

void ForgetPicture(HWND window) {
    for (auto it = pictures.begin(); it != pictures.end(); ++it) {
        if (it->window != window) continue;
        if (it->bitmap != nullptr) {
            SelectObject(it->dc, it->firstBitmap);
            DeleteObject(it->bitmap);
        }
        DeleteDC(it->dc);
        pictures.erase(it);
        return;
    }
}

}  // namespace

bool ScrollBarPictureMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                             LRESULT& result) {
    if (message == WM_NCPAINT) {
        result = PaintScrollBar(window, wParam, lParam);
        return true;
    }
    if (message == WM_THEMECHANGED || message == WM_DESTROY) ForgetPicture(window);
    return false;
}
