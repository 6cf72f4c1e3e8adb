// One procedure for every skinned dialog: prepare and focus codes, the caption hit test,
// the edit colours, and the background with the centred title.
#include "ui/dialog_frame_win.h"

#include <algorithm>

#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "session/window_ids.h"
#include "ui/class_table.h"
#include "ui/drawing_objects_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"

namespace {

enum class EditColours { None, Grey, PaleBlue };

// Where the title goes: centred across `width` pixels from `left` (0: the window's
// width); with a band height, centred in that band too, else with its top at `top`.
// A long title is moved left so that it ends before `rightEdge` (0: anywhere), where
// the close button would otherwise cover its last letter.
struct TitlePlace {
    int left, width, top, bandHeight, rightEdge = 0;
};

struct DialogFrame {
    WinId focus;  // what code 2 focuses; Main: nothing
    EditColours edits;
    bool dragsAnywhere;
    COLORREF titleColour;
    TitlePlace title;
    void (*prepare)(HWND dialog, LPARAM lParam);  // code 3
    // Under the title; nullptr: the row's bitmap at 0,0, or pale blue without one.
    void (*paintBackground)(HDC dc, int row, int width, int height);
    void (*paintBody)(HDC dc, int width, int height);  // over the title
    std::wstring (*bodyText)();                        // what paintBody draws
};

// Indexed by the param of the dialog's class row.
const DialogFrame kDialogFrames[] = {
    // 0: error dialog
    {WinId::ErrorOk2,
     EditColours::None,
     true,
     kTitleBlue,
     {0, 0, 0, 30},
     PrepareErrorDialog,
     PaintErrorBackground,
     PaintErrorLines,
     ErrorLinesText},
    // 1: login dialog
    {WinId::LoginUserEdit,
     EditColours::Grey,
     true,
     kTitleBlue,
     {0, 450, 0, 30},
     PrepareLoginDialog,
     nullptr,
     PaintLoginLabels,
     LoginLabelsText},
    // 2: about box
    {WinId::Main,
     EditColours::None,
     true,
     kTitleBlue,
     {146, 203, 4, 0, 300},
     nullptr,
     nullptr,
     PaintAboutCredits,
     AboutCreditsText},
    // 3: settings dialog
    {WinId::Main,
     EditColours::None,
     false,
     kTitleBlue,
     {0, 485, 0, 30},
     nullptr,
     nullptr,
     PaintSettingsHint,
     SettingsHintText},
    // 4: add-contact dialog
    {WinId::ContactsAddEdit,
     EditColours::PaleBlue,
     true,
     kBlack,
     {0, 0, 10, 0},
     nullptr,
     nullptr,
     nullptr,
     nullptr},
};

const DialogFrame& FrameOf(int row) {
    return kDialogFrames[kWindowClasses[row].param];
}

void PaintDialog(int row, HWND dialog) {
    const DialogFrame& frame = FrameOf(row);
    Canvas canvas;
    BeginCanvas(dialog, canvas);
    if (frame.paintBackground) {
        frame.paintBackground(canvas.dc, row, canvas.width, canvas.height);
    } else if (kWindowClasses[row].bitmap != 0) {
        DrawResourceBitmap(canvas.dc, kWindowClasses[row].bitmap, 0, 0);
    } else {
        RECT all{0, 0, canvas.width, canvas.height};
        FillRect(canvas.dc, &all, paleBlueBrush);
    }
    const TitlePlace& place = frame.title;
    const int width = place.width != 0 ? place.width : canvas.width;
    const std::wstring title = Text(kWindowClasses[row].label);
    if (place.bandHeight > 0) {
        DrawCentredText(canvas.dc, title, titleFont, frame.titleColour,
                        {place.left, place.top, place.left + width, place.top + place.bandHeight});
    } else if (!title.empty()) {
        const int textWidth = TextWidth(canvas.dc, title, titleFont);
        int x = place.left + (width - textWidth) / 2;
        if (place.rightEdge > 0 && x + textWidth > place.rightEdge)
            x = std::max(place.left, place.rightEdge - textWidth);
        DrawTextAt(canvas.dc, title, titleFont, frame.titleColour, x, place.top);
    }
    if (frame.paintBody) frame.paintBody(canvas.dc, canvas.width, canvas.height);
    EndCanvas(canvas);
}

LRESULT EditColoursFor(EditColours edits, HDC dc) {
    SetTextColor(dc, kBlack);
    if (edits == EditColours::Grey) {
        SetBkColor(dc, RGB(167, 167, 167));
        return reinterpret_cast<LRESULT>(editBrush);
    }
    SetBkColor(dc, RGB(173, 216, 230));
    return reinterpret_cast<LRESULT>(paleBlueBrush);
}

}  // namespace

std::wstring DialogText(int row) {
    const DialogFrame& frame = FrameOf(row);
    return JoinTexts({Text(kWindowClasses[row].label), frame.bodyText ? frame.bodyText() : L""});
}

LRESULT DialogFrameProcedure(int row, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const DialogFrame& frame = FrameOf(row);
    if (message == TavloraIntMessage) {
        if (wParam == NC_PREPARE_DIALOG && frame.prepare) frame.prepare(window, lParam);
        if (wParam == NC_FOCUS_DIALOG && frame.focus != WinId::Main)
            SetFocus(WindowHandle(frame.focus));
        return 0;
    }
    switch (message) {
        case WM_PAINT:
            PaintDialog(row, window);
            return 0;
        case WM_CTLCOLOREDIT:
            if (frame.edits == EditColours::None) break;
            return EditColoursFor(frame.edits, reinterpret_cast<HDC>(wParam));
        case WM_NCHITTEST:
            if (frame.dragsAnywhere) return HTCAPTION;
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
