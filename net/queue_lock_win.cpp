// KXL0Mutex: created once at start-up and kept; every hold waits for it without limit and
// releases it.
#include <windows.h>

#include "net/names.h"
#include "net/queue_lock.h"

namespace {
// The handle every hold uses; null when start-up could not create the mutex.
HANDLE queueMutex = nullptr;

// Without that handle each hold opens the mutex by name, as long as opening works (it can
// where creating was refused, e.g. for a mutex made by another account). When even that
// fails the queues cannot be guarded, and using them unguarded would let the threads
// corrupt them: the program ends with a message instead.
HANDLE OpenQueueMutex() {
    HANDLE opened = OpenMutexW(SYNCHRONIZE, FALSE, kQueueMutexName);
    if (opened == nullptr) FatalAppExitW(0, L"The queue lock KXL0Mutex cannot be opened.");
    return opened;
}
}  // namespace

void CreateQueueLock() {
    if (queueMutex == nullptr) queueMutex = CreateMutexW(nullptr, FALSE, kQueueMutexName);
}

QueueLockHold::QueueLockHold() : handle(queueMutex != nullptr ? queueMutex : OpenQueueMutex()) {
    WaitForSingleObject(handle, INFINITE);
}

QueueLockHold::~QueueLockHold() {
    ReleaseMutex(handle);
    if (handle != queueMutex) CloseHandle(handle);
}
