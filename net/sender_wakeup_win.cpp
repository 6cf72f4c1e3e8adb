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

void WaitForSenderWake(std::chrono::milliseconds timeout) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeout.count());
    AcquireSRWLockExclusive(&wakeLock);
    for (ULONGLONG now = GetTickCount64(); !woken && now < deadline; now = GetTickCount64())
        SleepConditionVariableSRW(&wakeCondition, &wakeLock, static_cast<DWORD>(deadline - now), 0);
    // Cleared under the lock before the sender looks at the shared state again: a wake-up
    // after this point wakes the next wait, one before it is seen in that look.
    woken = false;
    ReleaseSRWLockExclusive(&wakeLock);
}
