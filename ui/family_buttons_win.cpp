// The push-button families: bitmap (pressed image = base + 1) with an optional label.
#include "settings/settings.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/families_win.h"
#include "ui/paint_win.h"
#include "ui/press_win.h"
#include "ui/push_button_win.h"
#include "ui/settings_lines.h"

namespace {

int ImageOf(int row) {
    return kWindowClasses[row].bitmap + pressFlags[row];
}

std::wstring LabelOf(int row) {
    TextId label = kWindowClasses[row].label;
    return label == kNoText ? std::wstring() : Text(label);
}

}  // namespace

std::wstring PushButtonText(int row) {
    const WindowClassRow& klass = kWindowClasses[row];
    switch (klass.family) {
        case Family::CaptionButton:
            return Text(SettingsCaption(klass.param));
        case Family::CycleButton:
            return SettingsValueText(klass.param, language);
        case Family::SwatchButton:
            // The design number: a swatch has no name in any language.
            return std::to_wstring(SettingsSwatchBitmap(klass.param) % 100);
        default:
            return LabelOf(row);
    }
}

LRESULT IconButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(row, window, message, wParam, lParam, [&] {
        PaintBitmapWithLabel(window, ImageOf(row), std::wstring(), textFont, kWhite);
    });
}

LRESULT TextButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(row, window, message, wParam, lParam, [&] {
        PaintBitmapWithLabel(window, ImageOf(row), LabelOf(row), textFont, kWhite);
    });
}

LRESULT LinkButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return TextButtonProcedure(row, window, message, wParam, lParam);
}

LRESULT ColumnHeadProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // param 1: a room list head, 2: a tournament list head, in their tab's colour.
    COLORREF accent = kWindowClasses[row].param == 1 ? kRoomsBlue : kTournamentsGreen;
    return PushButton(row, window, message, wParam, lParam, [&] {
        PaintBitmapWithLabel(window, ImageOf(row), LabelOf(row), smallFont, accent);
    });
}

LRESULT CaptionButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(row, window, message, wParam, lParam, [&] {
        PaintBitmapWithLabel(window, ImageOf(row), PushButtonText(row), textFont, kWhite);
    });
}

LRESULT CycleButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(row, window, message, wParam, lParam, [&] {
        PaintBitmapWithLabel(window, ImageOf(row), PushButtonText(row), textFont, kWhite);
    });
}

LRESULT SwatchButtonProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PushButton(row, window, message, wParam, lParam, [&] {
        int swatch = SettingsSwatchBitmap(kWindowClasses[row].param);
        Canvas canvas;
        BeginCanvas(window, canvas);
        DrawResourceBitmap(canvas.dc, ImageOf(row), 0, 0, canvas.width, canvas.height);
        if (swatch / 100 == 6) {
            DrawResourceBitmap(canvas.dc, swatch, 28, 2, 44, 16);
        } else if (swatch / 100 == 7) {
            DrawResourceBitmapInEllipse(canvas.dc, swatch, 42, 2, 59, 19);
        } else if (swatch != 0) {
            DrawResourceBitmap(canvas.dc, swatch, 42, 2, 16, 16);
        }
        EndCanvas(canvas);
    });
}
