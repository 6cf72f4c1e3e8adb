// The press/capture protocol of every push-type control: a control is pressed by a
// button-down on it, loses the press when the pointer leaves its hit box or the window
// moves, and acts only when released while it still holds the capture.
#pragma once

#include <cstdint>

enum class PressEvent { ButtonDown, MouseMove, ButtonUp, PositionChanging };

struct ClientPoint {
    int x;
    int y;
};

// The hit box is inclusive: a point at x == width is still inside.
struct HitBox {
    int width;
    int height;
};

struct PressInput {
    PressEvent event;
    bool pressed;     // the control's press flag now
    bool hasCapture;  // the control holds the mouse capture
    bool pressable;   // false for a control that shows the current choice (selected tab)
    ClientPoint point;
};

// What the control does with the event.
struct PressStep {
    bool pressed;  // the press flag afterwards
    bool repaint;
    bool takeCapture;
    bool releaseCapture;
    bool runAction;
};

PressStep StepPress(const PressInput& input, HitBox box);

// Client coordinates of a mouse message: the low and high words of lParam, each a signed
// 16-bit number, so positions left of or above a capturing window come out negative.
ClientPoint PointFromMouseLParam(std::uintptr_t lParam);
