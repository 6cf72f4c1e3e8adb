// Pacing decisions for the lobby's views and the online sound.
#include "lobby/pacing.h"

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
