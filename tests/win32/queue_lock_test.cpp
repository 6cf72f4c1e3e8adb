// KXL0Mutex: start-up creates it unowned and keeps it, so it can be opened by name; the
// queues guard themselves with a lock of their own and go on while someone holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "net/names.h"
#include "net/queue_lock.h"
#include "net/queues.h"

namespace {

TEST(QueueLock, KXL0MutexIsOpenableUnownedAndTheQueuesDoNotWaitForIt) {
    CreateQueueLock();
    HANDLE byName = OpenMutexW(SYNCHRONIZE, FALSE, kQueueMutexName);
    ASSERT_NE(byName, nullptr) << "KXL0Mutex cannot be opened by name";
    DWORD seenElsewhere = WAIT_FAILED;  // by a thread other than the one that created it
    std::thread([&seenElsewhere, byName] {
        seenElsewhere = WaitForSingleObject(byName, 0);
        if (seenElsewhere == WAIT_OBJECT_0) ReleaseMutex(byName);
    }).join();
    EXPECT_EQ(seenElsewhere, static_cast<DWORD>(WAIT_OBJECT_0)) << "created owned";
    ASSERT_EQ(WaitForSingleObject(byName, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread user([done] {
        PushOutbound("1,!");
        PopOutbound();
        SetEvent(done);
    });
    EXPECT_EQ(WaitForSingleObject(done, 10000), static_cast<DWORD>(WAIT_OBJECT_0))
        << "a queue operation waited for the named mutex";
    ReleaseMutex(byName);
    user.join();
    CloseHandle(done);
    CloseHandle(byName);
}

}  // namespace
