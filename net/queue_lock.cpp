// The queue lock: one mutex of this process.
#include "net/queue_lock.h"

#include <mutex>

namespace {
std::mutex queueMutex;
}  // namespace

QueueLockHold::QueueLockHold() {
    queueMutex.lock();
}

QueueLockHold::~QueueLockHold() {
    queueMutex.unlock();
}
