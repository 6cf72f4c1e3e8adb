// The one lock of the protocol layer: it guards both message queues. It is a lock of this
// process only: a queue operation costs no call into the system when nobody else holds it.
// On Windows start-up still creates the named mutex KXL0Mutex, unowned, and keeps its
// handle, so other processes find the hub's mutex by its name as before.
#pragma once

// Start-up, before any connection thread runs: the named mutex on Windows.
void CreateQueueLock();

// Holds the lock for its lifetime.
struct QueueLockHold {
    QueueLockHold();
    ~QueueLockHold();
    QueueLockHold(const QueueLockHold&) = delete;
    QueueLockHold& operator=(const QueueLockHold&) = delete;
};
