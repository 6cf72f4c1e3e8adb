// The table of bitmap resources. Sizes are the sizes of the windows that show them;
// where a smaller window shows a bigger bitmap (a button inside its frame), the
// painter keeps the button in the top-left corner.
#include "skin_catalog.h"

#include "skin_painters.h"
#include "skin_style.h"

namespace {

constexpr Color kLoginBody = Rgb(24, 46, 70);
constexpr Color kAboutBottom = Rgb(13, 27, 43);
constexpr Color kTitleDark = Rgb(14, 28, 44);
constexpr Color kPageFace = Rgb(30, 50, 74);

std::vector<BitmapEntry> BuildCatalog() {
    std::vector<BitmapEntry> entries;
    auto add = [&](int first, int last, int w, int h, Color backdrop, auto paint) {
        for (int id = first; id <= last; ++id)
            entries.push_back({id, w, h, backdrop, paint});
    };
    add(2, 2, 183, 70, kNavy, PaintTitleLogo);
    add(3, 3, 10, 70, kNavy, PaintTitleTile);
    add(4, 4, 415, 303, kNavy, PaintBoardPicture);
    add(5, 6, 41, 20, kTitleDark, PaintWindowButton);
    add(7, 8, 26, 20, kTitleDark, PaintWindowButton);
    add(9, 9, 420, 40, Rgb(10, 20, 32), PaintConnectPanel);
    add(10, 11, 280, 34, kNavy, PaintStatusLine);
    add(12, 12, 80, 28, kDialogRed, PaintErrorTitle);
    add(13, 13, 10, 28, kDialogRed, PaintErrorTitle);
    add(14, 15, 120, 40, kDialogRed, PaintFramedButton);
    add(16, 16, 450, 270, kNavy, PaintLoginDialog);
    add(17, 20, 100, 24, kLoginBody, PaintTextButton);
    add(21, 22, 180, 20, kLoginBody, PaintLinkButton);
    add(23, 23, 120, 38, kTitleDark, PaintClock);
    add(24, 25, 114, 33, kNavy, PaintFramedButton);
    add(26, 26, 448, 310, kNavy, PaintTabArea);
    add(27, 29, 430, 2, kNavy, PaintTabUnderline);
    add(30, 38, 142, 30, kNavy, PaintTabHead);
    add(39, 39, 140, 250, kNavy, PaintNewsPanel);
    add(40, 40, 530, 40, kNavy, PaintMenuBar);
    add(41, 43, 125, 20, kNavy, PaintMenuCell);
    add(44, 44, 350, 360, kNavy, PaintAboutBox);
    add(45, 46, 100, 20, kAboutBottom, PaintTextButton);
    add(47, 47, 485, 330, kNavy, PaintSettingsDialog);
    add(48, 51, 100, 20, kSettingsBody, PaintTextButton);
    add(52, 53, 120, 45, kSettingsBody, PaintSettingsPage);
    add(54, 62, 100, 20, kPageFace, PaintSettingsPageButton);
    for (int page = 0; page < 4; ++page) {  // value 115x32 and caption 355x32, each with pressed
        int base = 63 + page * 4;
        add(base, base + 1, 115, 32, kSettingsBody, PaintSettingsRow);
        add(base + 2, base + 3, 355, 32, kSettingsBody, PaintSettingsRow);
    }
    add(79, 90, 142, 18, Rgb(10, 20, 32), PaintColumnHead);
    add(91, 92, 100, 20, TabAreaColor(285), PaintTextButton);
    add(93, 93, 430, 209, kListBody, PaintListBody);
    add(94, 97, 100, 20, TabAreaColor(285), PaintTextButton);
    add(98, 100, 16, 16, kListBody, PaintMoneyIcon);
    add(101, 106, 20, 20, kPaleBlue, PaintContactIcon);
    add(107, 107, 200, 108, kPaleBlue, PaintContextMenu);
    add(108, 111, 115, 35, kPaleBlue, PaintAddContactButton);
    add(501, 504, 100, 75, kNavy, PaintFlag);
    add(601, 604, 44, 16, kSocket, PaintTableSkinSwatch);
    add(701, 732, 16, 16, kSocket, PaintCheckerSwatch);
    add(801, 804, 16, 16, kSocket, PaintDiceSwatch);
    add(901, 904, 16, 16, kSocket, PaintCubeSwatch);
    return entries;
}

}  // namespace

const std::vector<BitmapEntry>& BitmapCatalog() {
    static const std::vector<BitmapEntry> catalog = BuildCatalog();
    return catalog;
}

Raster PaintBitmap(const BitmapEntry& entry) {
    Raster raster = MakeRaster(entry.width, entry.height, entry.backdrop);
    entry.paint(raster, entry.id);
    return raster;
}
