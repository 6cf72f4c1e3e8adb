// The press/capture protocol of push-type controls, free of any window system call.
#include "ui/press_logic.h"

PressStep StepPress(const PressInput& input, HitBox box) {
    PressStep step{input.pressed, false, false, false, false};
    switch (input.event) {
        case PressEvent::ButtonDown:
            if (input.pressable) step = {true, true, true, false, false};
            break;
        case PressEvent::MouseMove: {
            if (!input.hasCapture) break;
            const ClientPoint& p = input.point;
            bool outside = p.x < 0 || p.y < 0 || p.x > box.width || p.y > box.height;
            // Moving back in later does not press again: the press is lost.
            if (outside) step = {false, true, false, true, false};
            break;
        }
        case PressEvent::ButtonUp:
            if (input.hasCapture) step = {false, true, false, true, true};
            break;
        case PressEvent::PositionChanging:
            if (input.hasCapture) step = {false, true, false, true, false};
            break;
    }
    return step;
}

ClientPoint PointFromMouseLParam(std::uintptr_t lParam) {
    auto low = static_cast<std::int16_t>(static_cast<std::uint16_t>(lParam & 0xFFFF));
    auto high = static_cast<std::int16_t>(static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF));
    return {low, high};
}
