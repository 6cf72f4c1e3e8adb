// The sender's wake-up as a Win32 auto-reset event: under Wine a hand-over through it
// costs about half of what a condition variable does. A flag spares the SetEvent call
// while a wake-up is already pending, so a burst of pushes stays cheap.
#include <windows.h>

#include <atomic>

#include "net/sender_wakeup.h"

namespace {

std::atomic<bool> wakePending{false};

HANDLE WakeEvent() {
    static const HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    return event;
}

}  // namespace

void WakeSender() {
    if (!wakePending.exchange(true)) SetEvent(WakeEvent());
}

void WaitForSenderWake(std::chrono::milliseconds timeout) {
    WaitForSingleObject(WakeEvent(), static_cast<DWORD>(timeout.count()));
    // Cleared after waking and before the sender looks at the shared state again: a
    // wake-up after this point sets the event anew, one before it is seen in that look.
    wakePending.store(false);
}
