// Press flags and the Win32 side of the press/capture protocol.
#include "ui/press_win.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "ui/button_actions_win.h"
#include "ui/press_logic.h"

int pressFlags[kWindowClassCount];

bool HandlePressMessage(int row, HWND window, UINT message, LPARAM lParam, bool pressable) {
    static constexpr std::pair<UINT, PressEvent> kEvents[] = {
        {WM_LBUTTONDOWN, PressEvent::ButtonDown},
        {WM_MOUSEMOVE, PressEvent::MouseMove},
        {WM_LBUTTONUP, PressEvent::ButtonUp},
        {WM_WINDOWPOSCHANGING, PressEvent::PositionChanging}};
    const auto found = std::find_if(std::begin(kEvents), std::end(kEvents),
                                    [&](const auto& pair) { return pair.first == message; });
    if (found == std::end(kEvents)) return false;
    const PressEvent event = found->second;
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
