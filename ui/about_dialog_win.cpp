// The about box's own painting: version, credits and rights in the current language.
#include "ui/dialog_frame_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/texts.h"

namespace {

constexpr int kWidth = 350;

}  // namespace

void PaintAboutCredits(HDC dc, int, int) {
    // The version sits under the title, in the 203-pixel band right of the logo.
    DrawCentredAcross(dc, Text(TextId::AboutVersionCaption), SmallFont(), kAboutGreen, 146, 203,
                      27);
    DrawCentredAcross(dc, Text(TextId::AboutVersionLine), SmallFont(), kAboutGreen, 146, 203, 42);
    const struct {
        TextId text;
        int y;
    } headings[] = {{TextId::AboutProgramming, 70},
                    {TextId::AboutGraphics, 120},
                    {TextId::AboutTranslations, 188},
                    {TextId::AboutYearLine, 274},
                    {TextId::AboutRightsReserved, 294}};
    for (const auto& heading : headings) {
        DrawCentredAcross(dc, Text(heading.text), TitleFont(), kTitleBlue, 0, kWidth, heading.y);
    }
    const struct {
        const wchar_t* name;
        int y;
    } credits[] = {{L"The Tavlora developers", 90},  {L"Tavlora design studio", 140},
                   {L"Board and skin artwork", 158}, {L"Deutsch: Tavlora team", 208},
                   {L"Italiano: Tavlora team", 226}, {L"Polski: Tavlora team", 244}};
    for (const auto& credit : credits) {
        DrawCentredAcross(dc, credit.name, TextFont(), kCreditGreen, 0, kWidth, credit.y);
    }
}
