// The press/capture protocol, driven through whole gestures with a simulated capture.
#include <gtest/gtest.h>

#include <vector>

#include "ui/press_logic.h"

namespace {

struct Event {
    PressEvent kind;
    int x = 0;
    int y = 0;
};

struct Outcome {
    bool pressed = false;
    bool hasCapture = false;
    int actions = 0;
    int repaints = 0;
    bool pressedAfterEach[8] = {};
};

// Plays the events on one control the way the window system would: the capture follows
// the steps' take and release requests.
Outcome Play(const std::vector<Event>& events, HitBox box, bool pressable = true) {
    Outcome out;
    int i = 0;
    for (const Event& e : events) {
        PressStep step =
            StepPress({e.kind, out.pressed, out.hasCapture, pressable, {e.x, e.y}}, box);
        out.pressed = step.pressed;
        if (step.takeCapture) out.hasCapture = true;
        if (step.releaseCapture) out.hasCapture = false;
        out.actions += step.runAction ? 1 : 0;
        out.repaints += step.repaint ? 1 : 0;
        out.pressedAfterEach[i++] = out.pressed;
    }
    return out;
}

using E = PressEvent;

struct GestureCase {
    const char* note;
    std::vector<Event> events;
    int actions;
    bool pressedAtEnd;
    bool captureAtEnd;
};

TEST(PressProtocol, Gestures) {
    const HitBox button{100, 20};
    const GestureCase cases[] = {
        {"click", {{E::ButtonDown, 5, 5}, {E::ButtonUp, 5, 5}}, 1, false, false},
        {"release on the inclusive edge",
         {{E::ButtonDown, 5, 5}, {E::MouseMove, 100, 20}, {E::ButtonUp, 100, 20}},
         1,
         false,
         false},
        {"one pixel right of the edge loses the press",
         {{E::ButtonDown, 5, 5}, {E::MouseMove, 101, 20}, {E::ButtonUp, 101, 20}},
         0,
         false,
         false},
        {"one pixel below the edge loses the press",
         {{E::ButtonDown, 5, 5}, {E::MouseMove, 50, 21}, {E::ButtonUp, 50, 21}},
         0,
         false,
         false},
        {"left of the control",
         {{E::ButtonDown, 5, 5}, {E::MouseMove, -1, 5}, {E::ButtonUp, -1, 5}},
         0,
         false,
         false},
        {"drag out and back in",
         {{E::ButtonDown, 5, 5}, {E::MouseMove, 150, 5}, {E::MouseMove, 5, 5}, {E::ButtonUp, 5, 5}},
         0,
         false,
         false},
        {"release without a press", {{E::ButtonUp, 5, 5}}, 0, false, false},
        {"move while not pressed",
         {{E::MouseMove, 500, 500}, {E::MouseMove, 5, 5}},
         0,
         false,
         false},
        {"hidden or moved while pressed",
         {{E::ButtonDown, 5, 5}, {E::PositionChanging}, {E::ButtonUp, 5, 5}},
         0,
         false,
         false},
        {"moved while not pressed", {{E::PositionChanging}}, 0, false, false},
        {"press held inside", {{E::ButtonDown, 5, 5}, {E::MouseMove, 0, 0}}, 0, true, true},
        {"second click after a lost press",
         {{E::ButtonDown, 5, 5},
          {E::MouseMove, 200, 5},
          {E::ButtonUp, 200, 5},
          {E::ButtonDown, 5, 5},
          {E::ButtonUp, 5, 5}},
         1,
         false,
         false},
    };
    for (const GestureCase& c : cases) {
        SCOPED_TRACE(c.note);
        Outcome out = Play(c.events, button);
        EXPECT_EQ(out.actions, c.actions);
        EXPECT_EQ(out.pressed, c.pressedAtEnd);
        EXPECT_EQ(out.hasCapture, c.captureAtEnd);
    }
}

TEST(PressProtocol, ShowsTheNormalImageFromTheMomentThePointerLeaves) {
    Outcome out =
        Play({{E::ButtonDown, 5, 5}, {E::MouseMove, 150, 5}, {E::MouseMove, 5, 5}}, {100, 20});
    EXPECT_TRUE(out.pressedAfterEach[0]);
    EXPECT_FALSE(out.pressedAfterEach[1]);
    EXPECT_FALSE(out.pressedAfterEach[2]);
    // Pressed, then released: two repaints; moving back in repaints nothing.
    EXPECT_EQ(out.repaints, 2);
}

TEST(PressProtocol, CurrentChoiceIsNeverPressed) {
    Outcome out = Play({{E::ButtonDown, 5, 5}, {E::ButtonUp, 5, 5}}, {142, 30}, false);
    EXPECT_EQ(out.actions, 0);
    EXPECT_EQ(out.repaints, 0);
    EXPECT_FALSE(out.hasCapture);
}

TEST(PressProtocol, HitBoxIsTheFamilysNotTheWindows) {
    // The login buttons are 24 high but take releases down to y 25; the links stop at 170.
    EXPECT_EQ(
        Play({{E::ButtonDown}, {E::MouseMove, 50, 25}, {E::ButtonUp, 50, 25}}, {100, 25}).actions,
        1);
    EXPECT_EQ(
        Play({{E::ButtonDown}, {E::MouseMove, 171, 5}, {E::ButtonUp, 171, 5}}, {170, 20}).actions,
        0);
}

TEST(PressProtocol, MouseCoordinatesAreSigned16Bit) {
    struct Case {
        std::uintptr_t lParam;
        int x, y;
    } cases[] = {
        {0x00140064u, 100, 20},
        {0x0005FFFFu, -1, 5},
        {0xFFFF0005u, 5, -1},
        {0x80007FFFu, 32767, -32768},
        // Only the low 32 bits carry the point on 64-bit Windows.
        {static_cast<std::uintptr_t>(0xFFFFFFFFFFFE0003ull), 3, -2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lParam);
        ClientPoint p = PointFromMouseLParam(c.lParam);
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
    }
}

}  // namespace
