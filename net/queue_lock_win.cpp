// KXL0Mutex: opened by name for each hold, waited for without limit, released, closed.
#include <windows.h>

#include "net/names.h"
#include "net/queue_lock.h"

void CreateQueueLock() {
    CreateMutexW(nullptr, FALSE, kQueueMutexName);
}

QueueLockHold::QueueLockHold() : handle(OpenMutexW(SYNCHRONIZE, FALSE, kQueueMutexName)) {
    if (handle != nullptr) WaitForSingleObject(handle, INFINITE);
}

QueueLockHold::~QueueLockHold() {
    if (handle == nullptr) return;
    ReleaseMutex(handle);
    CloseHandle(handle);
}
