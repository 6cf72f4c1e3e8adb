// The skin's palette and the two looks most bitmaps are made of: bevelled push
// buttons (normal and pressed) and framed gradient panels.
#pragma once

#include "raster.h"

// Colours the program itself paints with; the bitmaps are drawn to sit beside them.
inline constexpr Color kNavy = Rgb(33, 63, 92);         // main window background
inline constexpr Color kDialogRed = Rgb(120, 35, 35);   // error dialog body
inline constexpr Color kPaleBlue = Rgb(173, 216, 230);  // contacts list and dialogs
inline constexpr Color kRoomsBlue = Rgb(120, 156, 255);
inline constexpr Color kTournamentsGreen = Rgb(0, 204, 153);
inline constexpr Color kCashierRose = Rgb(230, 51, 102);
inline constexpr Color kTitleBlue = Rgb(17, 207, 255);

// The skin's own shades.
inline constexpr Color kInk = Rgb(6, 13, 22);            // outlines
inline constexpr Color kSocket = Rgb(11, 20, 31);        // wells behind swatches
inline constexpr Color kListBody = Rgb(14, 27, 42);      // list and panel interiors
inline constexpr Color kSettingsBody = Rgb(24, 45, 68);  // settings dialog body
inline constexpr Color kGold = Rgb(214, 172, 82);

struct ButtonLook {
    Color top;     // face gradient, top
    Color bottom;  // face gradient, bottom
    Color border;
};

inline constexpr ButtonLook kSteelButton{Rgb(82, 122, 164), Rgb(34, 62, 94), Rgb(8, 18, 30)};
inline constexpr ButtonLook kConfirmButton{Rgb(64, 156, 104), Rgb(22, 88, 54), Rgb(6, 32, 18)};
inline constexpr ButtonLook kCancelButton{Rgb(170, 66, 72), Rgb(100, 26, 34), Rgb(36, 8, 12)};
inline constexpr ButtonLook kDarkButton{Rgb(48, 72, 100), Rgb(24, 42, 64), Rgb(6, 14, 24)};

// A look tinted toward `accent` (tab colours, settings pages).
ButtonLook AccentLook(Color accent);

// Paints a push button face filling `face`; the pixels of `raster` outside the rounded
// corners keep what the caller put there (the backdrop the button sits on). Pressed
// faces are darker, lit from below and have their sheen shifted one pixel down-right.
void PaintButton(Raster& raster, Rect face, const ButtonLook& look, bool pressed,
                 double radius = 3);

// A panel filling the raster: an ink rim rounded by `radius`, its inside rounded by one
// less and painted by paint(x, y).
template <class Paint>
void PaintRimmedPanel(Raster& raster, double radius, Paint paint) {
    Rect all{0, 0, raster.width, raster.height};
    FillRoundedRect(raster, all, radius, kInk);
    FillRoundedShape(raster, Rect{1, 1, all.w - 2, all.h - 2}, radius - 1, paint);
}

// A framed panel: dark outline, one-pixel bevel, vertical gradient inside.
void PaintPanel(Raster& raster, Rect rect, Color top, Color bottom);

// A sunken well: darker inside, shadow on top and left, light edge bottom and right.
void PaintWell(Raster& raster, Rect rect, Color fill);

// Title band of a dialog: gradient, highlight on top, dark rule at the bottom.
void PaintTitleBand(Raster& raster, Rect rect, Color top, Color bottom);

// Background colour of the tab area at row y (tab heads blend their corners into it).
Color TabAreaColor(int y);
