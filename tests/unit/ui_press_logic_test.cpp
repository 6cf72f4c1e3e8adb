// The press/capture protocol, driven through whole gestures with a simulated capture.
#include <gtest/gtest.h>

#include <vector>

#include "ui/press_logic.h"

namespace {

using E = PressEvent;
struct Event {
    PressEvent kind;
    int x = 0, y = 0;
};
struct Outcome {
    bool pressed = false, hasCapture = false;
    int actions = 0;
};

// Plays the events on one control the way the window system would: the capture follows
// the steps' take and release requests.
Outcome Play(const std::vector<Event>& events, HitBox box, bool pressable = true) {
    Outcome out;
    for (const Event& e : events) {
        PressStep step =
            StepPress({e.kind, out.pressed, out.hasCapture, pressable, {e.x, e.y}}, box);
        out.pressed = step.pressed;
        if (step.takeCapture) out.hasCapture = true;
        if (step.releaseCapture) out.hasCapture = false;
        out.actions += step.runAction;
    }
    return out;
}

// Only a release that keeps the press acts: the hit box is the family's (inclusive), not
// the window's, and the press is lost for good once the pointer leaves it. (The real
// pointer's gestures on a 100 x 20 button are the end-to-end input test's.)
TEST(PressProtocol, Gestures) {
    const Event down{E::ButtonDown, 5, 5}, up{E::ButtonUp, 5, 5};
    const struct {
        std::vector<Event> events;
        int actions;
        bool pressedAtEnd;
    } cases[] = {
        {{down, {E::MouseMove, 50, 21}, {E::ButtonUp, 50, 21}}, 0, false},
        {{down, {E::MouseMove, -1, 5}, {E::ButtonUp, -1, 5}}, 0, false},
        {{down, {E::MouseMove, 5, -1}, {E::ButtonUp, 5, -1}}, 0, false},
        {{up}, 0, false},
        {{{E::MouseMove, 500, 500}, {E::MouseMove, 5, 5}}, 0, false},
        {{{E::PositionChanging}}, 0, false},
        {{down, {E::MouseMove, 0, 0}}, 0, true},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Outcome out = Play(cases[i].events, {100, 20});
        EXPECT_EQ(out.actions, cases[i].actions) << "case " << i;
        EXPECT_EQ(out.pressed, cases[i].pressedAtEnd) << "case " << i;
        EXPECT_EQ(out.hasCapture, cases[i].pressedAtEnd) << "case " << i;
    }
}

TEST(PressProtocol, MouseCoordinatesAreSigned16Bit) {
    const struct {
        std::uintptr_t lParam;
        int x, y;
    } cases[] = {{0x00140064u, 100, 20},
                 {0x0005FFFFu, -1, 5},
                 {0xFFFF0005u, 5, -1},
                 {0x80007FFFu, 32767, -32768},
                 // Only the low 32 bits carry the point on 64-bit Windows.
                 {static_cast<std::uintptr_t>(0xFFFFFFFFFFFE0003ull), 3, -2}};
    for (const auto& c : cases) {
        ClientPoint p = PointFromMouseLParam(c.lParam);
        EXPECT_EQ((std::pair{p.x, p.y}), (std::pair{c.x, c.y})) << c.lParam;
    }
}

}  // namespace
