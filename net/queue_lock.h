// The one lock of the protocol layer: it guards both message queues. On Windows it is
// the named mutex KXL0Mutex, created at start-up (other processes can open it by name)
// and held through that one handle by every queue operation; the native build uses a
// process mutex.
#pragma once

// Creates the lock (start-up, before any connection thread runs).
void CreateQueueLock();

// Holds the lock for its lifetime.
struct QueueLockHold {
    QueueLockHold();
    ~QueueLockHold();
    QueueLockHold(const QueueLockHold&) = delete;
    QueueLockHold& operator=(const QueueLockHold&) = delete;
    void* handle;
};
