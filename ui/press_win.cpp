// Press flags and the Win32 side of the press/capture protocol.
#include "ui/press_win.h"

#include "ui/button_actions_win.h"
#include "ui/press_logic.h"

int pressFlags[kWindowClassCount];

bool HandlePressMessage(int row, HWND window, UINT message, LPARAM lParam, bool pressable) {
    PressEvent event;
    switch (message) {
        case WM_LBUTTONDOWN:
            event = PressEvent::ButtonDown;
            break;
        case WM_MOUSEMOVE:
            event = PressEvent::MouseMove;
            break;
        case WM_LBUTTONUP:
            event = PressEvent::ButtonUp;
            break;
        case WM_WINDOWPOSCHANGING:
            event = PressEvent::PositionChanging;
            break;
        default:
            return false;
    }
    const WindowClassRow& klass = kWindowClasses[row];
    PressInput input{event, pressFlags[row] != 0, GetCapture() == window, pressable,
                     PointFromMouseLParam(static_cast<std::uintptr_t>(lParam))};
    PressStep step = StepPress(input, {klass.hitWidth, klass.hitHeight});
    pressFlags[row] = step.pressed ? 1 : 0;
    if (step.repaint) InvalidateRect(window, nullptr, FALSE);
    if (step.takeCapture) SetCapture(window);
    if (step.releaseCapture) ReleaseCapture();
    if (step.runAction) RunButtonAction(row);
    return message != WM_WINDOWPOSCHANGING;
}
