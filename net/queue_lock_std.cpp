// The queue lock of the native build.
#include <mutex>

#include "net/queue_lock.h"

namespace {
std::mutex queueMutex;
}  // namespace

void CreateQueueLock() {}

QueueLockHold::QueueLockHold() : handle(&queueMutex) {
    queueMutex.lock();
}

QueueLockHold::~QueueLockHold() {
    queueMutex.unlock();
}
