// The queue lock is the named mutex KXL0Mutex: another process opens it by name and finds
// it taken exactly while a queue operation holds it, and a queue operation waits while
// someone else holds it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "net/names.h"
#include "net/queue_lock.h"
#include "net/queues.h"

namespace {

// Runs this test program again, as another process, with only the child test below; its
// exit code (0: the child's expectation held).
DWORD RunChild(const wchar_t* expectation) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring line =
        L"\"" + std::wstring(self) + L"\" --gtest_brief=1 --gtest_filter=QueueLockChild.*";
    SetEnvironmentVariableW(L"TAVLORA_QUEUE_LOCK_CHILD", expectation);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                        nullptr, &startup, &process);
    SetEnvironmentVariableW(L"TAVLORA_QUEUE_LOCK_CHILD", nullptr);
    if (!started) return 100;
    DWORD exitCode = 101;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

TEST(QueueLockChild, FindsTheQueueLockAsTold) {
    const char* expectation = std::getenv("TAVLORA_QUEUE_LOCK_CHILD");
    if (expectation == nullptr) GTEST_SKIP() << "started by QueueLock.*";
    HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, kQueueMutexName);
    ASSERT_NE(mutex, nullptr) << "KXL0Mutex cannot be opened by name";
    const DWORD waited = WaitForSingleObject(mutex, 0);
    if (waited == WAIT_OBJECT_0) ReleaseMutex(mutex);
    CloseHandle(mutex);
    const DWORD expected = std::string(expectation) == "taken" ? WAIT_TIMEOUT : WAIT_OBJECT_0;
    EXPECT_EQ(waited, expected);
}

TEST(QueueLock, AnotherProcessSeesItTakenExactlyWhileHeld) {
    CreateQueueLock();
    {
        QueueLockHold hold;
        EXPECT_EQ(RunChild(L"taken"), 0u);
    }
    EXPECT_EQ(RunChild(L"free"), 0u);
    {
        QueueLockHold hold;
        EXPECT_EQ(RunChild(L"taken"), 0u) << "the kept handle is taken again";
    }
}

TEST(QueueLock, QueueOperationsWaitWhileAnotherHolderHasIt) {
    CreateQueueLock();
    HANDLE byName = OpenMutexW(SYNCHRONIZE, FALSE, kQueueMutexName);
    ASSERT_NE(byName, nullptr);
    ASSERT_EQ(WaitForSingleObject(byName, 0), static_cast<DWORD>(WAIT_OBJECT_0));
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread user([done] {
        OutboundCount();
        SetEvent(done);
    });
    // Only a bounded look is possible for "still waiting".
    EXPECT_EQ(WaitForSingleObject(done, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    ReleaseMutex(byName);
    EXPECT_EQ(WaitForSingleObject(done, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    user.join();
    CloseHandle(done);
    CloseHandle(byName);
}

}  // namespace
