// Pacing decisions for the lobby's views and the online sound.
#include "lobby/pacing.h"

#include <algorithm>

bool PaceChange(Pace& pace) {
    if (!pace.running) return true;
    pace.pending = true;
    return false;
}

void PaceTimerStarted(Pace& pace) {
    pace.running = true;
}

bool PaceIntervalEnded(Pace& pace) {
    if (pace.pending) {
        pace.pending = false;
        return true;
    }
    pace.running = false;
    return false;
}

bool SoundMayStart(SoundPace& pace, std::uint64_t nowMs, std::uint64_t lengthMs) {
    if (pace.played && nowMs - pace.startedMs < lengthMs) return false;
    pace.played = true;
    pace.startedMs = nowMs;
    return true;
}

ReportVerdict JudgeReport(std::vector<ReportCount>& counts, std::uintptr_t window,
                          std::uint64_t nowMs) {
    constexpr std::uint64_t kSecondMs = 1000;
    // A clock that went back also ends the second (the difference wraps).
    std::erase_if(counts, [&](const ReportCount& c) { return nowMs - c.sinceMs >= kSecondMs; });
    auto it = std::find_if(counts.begin(), counts.end(),
                           [&](const ReportCount& c) { return c.window == window; });
    if (it == counts.end()) it = counts.insert(counts.end(), {window, nowMs, 0});
    if (it->count > kReportsPerSecond) return ReportVerdict::Drop;
    return ++it->count > kReportsPerSecond ? ReportVerdict::DropAndTell : ReportVerdict::Act;
}
