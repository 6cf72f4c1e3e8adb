// Painters of the skin's bitmaps, grouped by role. Each gets a raster of the bitmap's
// size, already filled with the colour it sits on, and the resource id it paints.
#pragma once

#include "raster.h"

// Pieces and small icons (paint_pieces.cpp).
void DrawChecker(Raster& raster, Point centre, double radius, Color body);
void DrawDie(Raster& raster, Rect rect, Color body, Color pips, int value);
Color CheckerColor(int design);                   // design 1..32
void PaintCheckerSwatch(Raster& raster, int id);  // 701..732
void PaintDiceSwatch(Raster& raster, int id);     // 801..804
void PaintCubeSwatch(Raster& raster, int id);     // 901..904
void PaintMoneyIcon(Raster& raster, int id);      // 98..100
void PaintContactIcon(Raster& raster, int id);    // 101..106

// The board picture and the table-skin swatches (paint_board.cpp).
void PaintBoardPicture(Raster& raster, int id);     // 4
void PaintTableSkinSwatch(Raster& raster, int id);  // 601..604

// Language flags (paint_flags.cpp).
void PaintFlag(Raster& raster, int id);  // 501..504

// Push buttons of every kind (paint_buttons.cpp).
void PaintWindowButton(Raster& raster, int id);        // 5..8 close and minimise
void PaintTextButton(Raster& raster, int id);          // plain labelled buttons
void PaintFramedButton(Raster& raster, int id);        // 14, 15, 24, 25: button in a larger frame
void PaintLinkButton(Raster& raster, int id);          // 21, 22
void PaintSettingsPageButton(Raster& raster, int id);  // 54..62
void PaintSettingsRow(Raster& raster, int id);         // 63..78
void PaintAddContactButton(Raster& raster, int id);    // 108..111

// Tabs, lists and the header menu (paint_lists.cpp).
void PaintTabArea(Raster& raster, int id);       // 26
void PaintTabUnderline(Raster& raster, int id);  // 27..29
void PaintTabHead(Raster& raster, int id);       // 30..38
void PaintColumnHead(Raster& raster, int id);    // 79..90
void PaintListBody(Raster& raster, int id);      // 93
void PaintMenuBar(Raster& raster, int id);       // 40
void PaintMenuCell(Raster& raster, int id);      // 41..43
void PaintContextMenu(Raster& raster, int id);   // 107

// Main window pieces (paint_main.cpp).
void PaintTitleLogo(Raster& raster, int id);                 // 2
void PaintTitleTile(Raster& raster, int id);                 // 3
void PaintConnectPanel(Raster& raster, int id);              // 9
void PaintStatusLine(Raster& raster, int id);                // 10, 11
void PaintClock(Raster& raster, int id);                     // 23
void PaintNewsPanel(Raster& raster, int id);                 // 39
void DrawLogoMark(Raster& raster, int x, int y, int scale);  // emblem and name

// Dialog backgrounds (paint_dialogs.cpp).
void PaintErrorTitle(Raster& raster, int id);      // 12, 13
void PaintLoginDialog(Raster& raster, int id);     // 16
void PaintAboutBox(Raster& raster, int id);        // 44
void PaintSettingsDialog(Raster& raster, int id);  // 47
void PaintSettingsPage(Raster& raster, int id);    // 52, 53
