// How often the lobby's changes reach the screen and the speaker. Lobby changes can come a
// hundred a second (presence changes above all): a paced view follows them at most once
// an interval, the first change at once and the ones during the interval together at its
// end; the online sound is not restarted while it plays. The port keeps the timers and
// the clock; these functions decide.
#pragma once

#include <cstdint>
#include <vector>

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

// How much work one sibling window's reports (codes 29, 31 and 36) may cause: at most
// kReportsPerSecond of them are acted on in a second, counted from the window's first
// report; the rest of that second are dropped. A well-behaved window reports a handful:
// a room window asks for a table at each of its user's clicks (a few a second at the
// most), and a room or table window reports its own end once. Ten leaves that room to
// spare and keeps a sibling that answers every relay with a report from making the hub
// answer, and start tables, without end.
inline constexpr int kReportsPerSecond = 10;

enum class ReportVerdict {
    Act,
    Drop,
    DropAndTell,  // the first dropped one of its second: worth one diagnostic
};

struct ReportCount {
    std::uintptr_t window = 0;
    std::uint64_t sinceMs = 0;
    int count = 0;
};

// A report of `window` at `nowMs`. `counts` keeps the windows heard within the last
// second; older ones are forgotten here, so it holds no more than the windows reporting.
ReportVerdict JudgeReport(std::vector<ReportCount>& counts, std::uintptr_t window,
                          std::uint64_t nowMs);
