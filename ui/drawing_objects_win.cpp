// The shared fonts and brushes, created as static objects before the entry point.
#include "ui/drawing_objects_win.h"

namespace {

HFONT CourierNew(int height, int width, int weight) {
    return CreateFontW(height, width, 0, 0, weight, 0, 0, 0, OEM_CHARSET, 0, 0, 0, 0,
                       L"Courier new");
}

}  // namespace

const HBRUSH navyBrush = CreateSolidBrush(0x5C3F21);
const HBRUSH dialogBrush = CreateSolidBrush(0x232378);
const HBRUSH editBrush = CreateSolidBrush(0xA7A7A7);
const HBRUSH paleBlueBrush = CreateSolidBrush(0xE6D8AD);
const HFONT smallFont = CourierNew(-15, 6, 500);
const HFONT textFont = CourierNew(-16, 7, 500);
const HFONT titleFont = CourierNew(-21, 10, 800);
