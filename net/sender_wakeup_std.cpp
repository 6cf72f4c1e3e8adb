// An auto-reset event built on a condition variable, so the same code runs natively.
#include "net/sender_wakeup.h"

#include <condition_variable>
#include <mutex>

namespace {
std::mutex wakeMutex;
std::condition_variable wakeCondition;
bool wakeSignalled = false;
}  // namespace

void WakeSender() {
    {
        std::lock_guard<std::mutex> lock(wakeMutex);
        if (wakeSignalled) return;
        wakeSignalled = true;
    }
    wakeCondition.notify_one();
}

void WaitForSenderWake(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(wakeMutex);
    wakeCondition.wait_for(lock, timeout, [] { return wakeSignalled; });
    wakeSignalled = false;
}
