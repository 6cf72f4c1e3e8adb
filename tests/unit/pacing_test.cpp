// Pacing: what a run of changes and timer ends shows, and when the online sound may start.
#include <gtest/gtest.h>

#include <string>

#include "lobby/pacing.h"

namespace {

// 'c' a change, 't' the interval's timer firing; the result marks each event that shows
// the view with 'S', a timer that is to stop with 'x', anything else with '.'.
std::string Shown(const std::string& events, bool timerStarts = true) {
    Pace pace;
    std::string shown;
    for (char event : events) {
        if (event == 'c') {
            const bool show = PaceChange(pace);
            if (show && timerStarts) PaceTimerStarted(pace);
            shown += show ? 'S' : '.';
        } else {
            shown += PaceIntervalEnded(pace) ? 'S' : 'x';
        }
    }
    return shown;
}

TEST(Pacing, TheFirstChangeShowsAtOnceTheRestAtTheIntervalsEnd) {
    EXPECT_EQ(Shown("c"), "S");
    EXPECT_EQ(Shown("ccct"), "S..S");
    EXPECT_EQ(Shown("cctt"), "S.Sx") << "a quiet interval stops the timer";
    EXPECT_EQ(Shown("cttc"), "SxxS") << "after the timer stopped, a change shows at once";
    EXPECT_EQ(Shown("cc", false), "SS") << "without a timer every change shows";
}

TEST(Pacing, TheOnlineSoundIsNotRestartedWhilePlaying) {
    SoundPace sound;
    std::string played;
    for (std::uint64_t now : {1000u, 1200u, 1499u, 1500u, 1700u, 2100u})
        played += SoundMayStart(sound, now, 500) ? 'P' : '.';
    EXPECT_EQ(played, "P..P.P");
    SoundPace atZero;
    EXPECT_TRUE(SoundMayStart(atZero, 0, 500)) << "the first sound plays whatever the clock";
}

}  // namespace
