// The native build has no named mutex to create.
#include "net/queue_lock.h"

void CreateQueueLock() {}
