// KXL0Mutex: created once at start-up, unowned, and kept for the life of the process. The
// queues no longer hold it; it stays for the processes that look for the hub's mutex by name.
#include <windows.h>

#include "net/names.h"
#include "net/queue_lock.h"

namespace {
HANDLE namedQueueMutex = nullptr;
}  // namespace

void CreateQueueLock() {
    if (namedQueueMutex == nullptr) namedQueueMutex = CreateMutexW(nullptr, FALSE, kQueueMutexName);
}
