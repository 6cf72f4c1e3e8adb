// The sender's wake-up as a Win32 condition variable over a slim lock: under Wine both
// wait and wake on the address in the process itself, without a request to wineserver,
// where an event costs one for each SetEvent and each wait. A flag spares the wake call
// while a wake-up is already pending, so a burst of pushes stays cheap.
#include <windows.h>

#include <atomic>

#include "net/sender_wakeup.h"

namespace {

SRWLOCK wakeLock = SRWLOCK_INIT;
CONDITION_VARIABLE wakeCondition = CONDITION_VARIABLE_INIT;
bool woken = false;  // guarded by wakeLock
std::atomic<bool> wakePending{false};

}  // namespace

void WakeSender() {
    if (wakePending.exchange(true)) return;
    AcquireSRWLockExclusive(&wakeLock);
    woken = true;
    ReleaseSRWLockExclusive(&wakeLock);
    WakeConditionVariable(&wakeCondition);
}

void WaitForSenderWake(std::chrono::milliseconds timeout) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    AcquireSRWLockExclusive(&wakeLock);
    for (ULONGLONG now = GetTickCount64(); !woken && now < deadline; now = GetTickCount64())
        SleepConditionVariableSRW(&wakeCondition, &wakeLock, static_cast<DWORD>(deadline - now), 0);
    woken = false;
    ReleaseSRWLockExclusive(&wakeLock);
    // Cleared after waking and before the sender looks at the shared state again: a
    // wake-up after this point wakes the next wait, one before it is seen in that look.
    wakePending.store(false);
}
