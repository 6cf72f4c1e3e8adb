// The about box's own painting: version, credits and rights in the current language.
#include <vector>

#include "ui/dialog_frame_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/texts.h"

namespace {

constexpr int kWidth = 350;

struct Heading {
    TextId text;
    int y;
};
constexpr Heading kHeadings[] = {{TextId::AboutProgramming, 70},
                                 {TextId::AboutGraphics, 120},
                                 {TextId::AboutTranslations, 188},
                                 {TextId::AboutYearLine, 274},
                                 {TextId::AboutRightsReserved, 294}};

struct Credit {
    const wchar_t* name;
    int y;
};
constexpr Credit kCredits[] = {{L"The Tavlora developers", 90},  {L"Tavlora design studio", 140},
                               {L"Board and skin artwork", 158}, {L"Deutsch: Tavlora team", 208},
                               {L"Italiano: Tavlora team", 226}, {L"Polski: Tavlora team", 244}};

}  // namespace

void PaintAboutCredits(HDC dc, int, int) {
    // The version sits under the title, in the 203-pixel band right of the logo.
    DrawCentredAcross(dc, Text(TextId::AboutVersionCaption), smallFont, kAboutGreen, 146, 203, 27);
    DrawCentredAcross(dc, Text(TextId::AboutVersionLine), smallFont, kAboutGreen, 146, 203, 42);
    for (const Heading& heading : kHeadings)
        DrawCentredAcross(dc, Text(heading.text), titleFont, kTitleBlue, 0, kWidth, heading.y);
    for (const Credit& credit : kCredits)
        DrawCentredAcross(dc, credit.name, textFont, kCreditGreen, 0, kWidth, credit.y);
}

std::wstring AboutCreditsText() {
    // In reading order, top to bottom.
    std::vector<std::wstring> lines{Text(TextId::AboutVersionCaption),
                                    Text(TextId::AboutVersionLine)};
    std::size_t credit = 0;
    for (const Heading& heading : kHeadings) {
        for (; credit < std::size(kCredits) && kCredits[credit].y < heading.y; ++credit)
            lines.push_back(kCredits[credit].name);
        lines.push_back(Text(heading.text));
    }
    for (; credit < std::size(kCredits); ++credit)
        lines.push_back(kCredits[credit].name);
    return JoinTexts(lines);
}
