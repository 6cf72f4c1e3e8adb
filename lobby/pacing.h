// How often the lobby's changes reach the screen and the speaker. Lobby changes can come a
// hundred a second (presence changes above all): a paced view follows them at most once
// an interval, the first change at once and the ones during the interval together at its
// end; the online sound is not restarted while it plays. The port keeps the timers and
// the clock; these functions decide.
#pragma once

#include <cstdint>

struct Pace {
    bool running = false;  // the interval's timer is set
    bool pending = false;  // a change came during the interval
};

// A change of the view: true when it is to be shown now. The caller then starts the
// interval's timer and, when it could, calls PaceTimerStarted (without a timer every
// change shows at once).
bool PaceChange(Pace& pace);
void PaceTimerStarted(Pace& pace);
// The interval's timer fired: true when the view is to be shown now (changes came; the
// timer goes on), false when the caller is to stop the timer.
bool PaceIntervalEnded(Pace& pace);

struct SoundPace {
    bool played = false;
    std::uint64_t startedMs = 0;
};

// True when a sound of `lengthMs` is to be played at `nowMs`: the last one has ended.
bool SoundMayStart(SoundPace& pace, std::uint64_t nowMs, std::uint64_t lengthMs);
