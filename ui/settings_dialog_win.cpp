// The settings dialog's own painting: the hint under the title. Its pages, lines and
// buttons are controls of their own.
#include "ui/dialog_frame_win.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/texts.h"

void PaintSettingsHint(HDC dc, int, int) {
    DrawCentredText(dc, Text(TextId::SettingsHint), textFont, kHintGrey, {0, 70, 485, 101});
}

std::wstring SettingsHintText() {
    return Text(TextId::SettingsHint);
}
