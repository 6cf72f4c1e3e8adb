// The sender's wake-up as a Win32 condition variable over a slim lock: under Wine both
// wait and wake on memory in the process, without a request to wineserver, where an
// event costs one for each SetEvent and each wait. A wake-up already pending spares the
// wake call, so a burst of pushes stays cheap.
#include <windows.h>

#include <utility>

#include "net/sender_wakeup.h"

namespace {

SRWLOCK wakeLock = SRWLOCK_INIT;
CONDITION_VARIABLE wakeCondition = CONDITION_VARIABLE_INIT;
bool woken = false;  // guarded by wakeLock

}  // namespace

void WakeSender() {
    AcquireSRWLockExclusive(&wakeLock);
    const bool pending = std::exchange(woken, true);
    ReleaseSRWLockExclusive(&wakeLock);
    if (!pending) WakeConditionVariable(&wakeCondition);
}

// One wait: a spurious or timed-out return only starts the sender's next pass, which works
// out its wait again.
void WaitForSenderWake(std::chrono::milliseconds timeout) {
    AcquireSRWLockExclusive(&wakeLock);
    if (!woken)
        SleepConditionVariableSRW(&wakeCondition, &wakeLock, static_cast<DWORD>(timeout.count()),
                                  0);
    // Cleared under the lock before the sender looks at the shared state again: a wake-up
    // after this point wakes the next wait, one before it is seen in that look.
    woken = false;
    ReleaseSRWLockExclusive(&wakeLock);
}
