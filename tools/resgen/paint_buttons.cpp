// Push buttons. Ids come in pairs: the even-offset image is the normal face and the
// next id the pressed one (darker, lit from below, content one pixel down-right).
#include "skin_painters.h"
#include "skin_style.h"

namespace {

// Settings pages 1..4 (Colors, Window, Table, Room) each have their own tint.
constexpr Color kPageTints[4] = {Rgb(124, 88, 184), Rgb(58, 112, 176), Rgb(40, 140, 90),
                                 Rgb(186, 120, 40)};

ButtonLook PageLook(int page) {
    Color tint = kPageTints[page - 1];
    return ButtonLook{Lighter(tint, 0.05), Darker(tint, 0.45), kInk};
}

struct TextButton {
    int normalId;  // pressed image is normalId + 1
    ButtonLook look;
};

const TextButton* FindTextButton(int id) {
    static const TextButton kButtons[] = {
        {17, kConfirmButton},                 // login "Log In"
        {19, kCancelButton},                  // login "Cancel"
        {45, kConfirmButton},                 // about "OK"
        {48, kCancelButton},                  // settings "Cancel"
        {50, kConfirmButton},                 // settings "Apply"
        {91, AccentLook(kCashierRose)},       // cashier buttons
        {94, AccentLook(kRoomsBlue)},         // "Enter room" on the rooms tab
        {96, AccentLook(kTournamentsGreen)},  // "Enter room" on the tournaments tab
    };
    for (const TextButton& button : kButtons) {
        if (id == button.normalId || id == button.normalId + 1) return &button;
    }
    return nullptr;
}

}  // namespace

void PaintWindowButton(Raster& raster, int id) {
    bool pressed = id == 6 || id == 8;
    int shift = pressed ? 1 : 0;
    Color glyph = pressed ? Rgb(220, 226, 232) : Rgb(255, 255, 255);
    Rect face{0, 0, raster.width, raster.height};
    if (id == 5 || id == 6) {
        PaintButton(raster, face, kCancelButton, pressed);
        Point c{20.5 + shift, 10.0 + shift};
        DrawLine(raster, {c.x - 3.8, c.y - 3.8}, {c.x + 3.8, c.y + 3.8}, 2.0, glyph);
        DrawLine(raster, {c.x - 3.8, c.y + 3.8}, {c.x + 3.8, c.y - 3.8}, 2.0, glyph);
    } else {
        PaintButton(raster, face, kSteelButton, pressed);
        FillRect(raster, Rect{8 + shift, 12 + shift, 10, 3}, glyph);
    }
}

void PaintTextButton(Raster& raster, int id) {
    const TextButton* button = FindTextButton(id);
    if (button == nullptr) return;
    bool pressed = id == button->normalId + 1;
    PaintButton(raster, Rect{0, 0, raster.width, raster.height}, button->look, pressed);
}

void PaintFramedButton(Raster& raster, int id) {
    // The frame window shows the whole bitmap and its button shows the top-left
    // 100x20, so the rest is the colour the frame sits on (filled by the caller).
    bool pressed = id == 15 || id == 25;
    const ButtonLook& look = id <= 15 ? kSteelButton : kCancelButton;
    PaintButton(raster, Rect{0, 0, 100, 20}, look, pressed);
}

void PaintLinkButton(Raster& raster, int id) {
    bool pressed = id == 22;
    int shift = pressed ? 1 : 0;
    Rect pill{0, 0, raster.width, raster.height};
    FillRoundedRect(raster, pill, 9.5, pressed ? Rgb(40, 66, 96) : Rgb(62, 98, 136));
    Rect inner{1, 1, pill.w - 2, pill.h - 2};
    Color top = pressed ? Rgb(12, 24, 38) : Rgb(30, 54, 80);
    Color bottom = pressed ? Rgb(20, 38, 58) : Rgb(18, 34, 52);
    FillRoundedShape(raster, inner, 8.5,
                     [&](int, int y) { return Mix(top, bottom, (y - 1) / 17.0); });
    Color arrow = pressed ? Darker(kTitleBlue, 0.25) : kTitleBlue;
    FillTriangle(raster, {8.0 + shift, 6.0 + shift}, {8.0 + shift, 14.0 + shift},
                 {12.5 + shift, 10.0 + shift}, arrow);
}

void PaintSettingsPageButton(Raster& raster, int id) {
    Rect face{0, 0, raster.width, raster.height};
    if (id == 54) {
        PaintButton(raster, face, kDarkButton, false);
        return;
    }
    int page = (id - 53) / 2;  // 55/56 page 1 ... 61/62 page 4
    PaintButton(raster, face, PageLook(page), id % 2 == 0);
}

void PaintSettingsRow(Raster& raster, int id) {
    int page = (id - 63) / 4 + 1;
    int kind = (id - 63) % 4;  // 0 value, 1 value pressed, 2 caption, 3 caption pressed
    bool pressed = kind % 2 == 1;
    int shift = pressed ? 1 : 0;
    Color tint = kPageTints[page - 1];
    if (kind < 2) {
        ButtonLook look = PageLook(page);
        look.top = Mix(look.top, look.bottom, 0.35);
        PaintButton(raster, Rect{0, 0, 100, 20}, look, pressed);
        // The Colors page shows swatches: a well at the place the program copies them to.
        if (page == 1) PaintWell(raster, Rect{27, 1, 46, 18}, kSocket);
        return;
    }
    PaintButton(raster, Rect{0, 0, 340, 20}, kDarkButton, pressed);
    FillRect(raster, Rect{2 + shift, 3 + shift, 3, 14 - shift}, pressed ? Darker(tint, 0.3) : tint);
}

void PaintAddContactButton(Raster& raster, int id) {
    bool pressed = id == 109 || id == 111;
    const ButtonLook& look = id <= 109 ? kConfirmButton : kSteelButton;
    PaintButton(raster, Rect{2, 2, raster.width - 4, raster.height - 4}, look, pressed, 4);
}
