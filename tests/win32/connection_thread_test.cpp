// The connection thread under Wine, against the server that
// tests/e2e/test_connection_thread.py started: it posts the code the driver expects to
// the main window, here a hidden receiver window.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "net/hub_handles_win.h"
#include "net/connection_thread.h"
#include "net/link.h"
#include "net/queue_lock.h"

namespace {

// Runs the thread and pumps messages until it has posted its code (or 30 s pass). Every
// case the driver runs fails the handshake: no socket is kept.
TEST(ConnectionThreadLive, PostsTheExpectedCode) {
    const char* expected = std::getenv("TAVLORA_EXPECT_CODE");
    if (expected == nullptr) GTEST_SKIP() << "run by test_connection_thread.py with a server";
    WSADATA winsock{};
    WSAStartup(MAKEWORD(2, 0), &winsock);
    CreateQueueLock();
    CloseConnectionPair();
    // The thread posts to a plain hidden window; its code is read off the queue.
    SetMainWindow(CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    int receivedCode = 0;
    HANDLE thread = CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return ConnectionThread(1), 0; }, nullptr, 0, nullptr);
    const DWORD deadline = GetTickCount() + 30000;
    MSG message;
    while (receivedCode == 0 && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == TavloraIntMessage)
                receivedCode = static_cast<int>(message.wParam);
            DispatchMessageW(&message);
        }
    }
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    DestroyWindow(mainWindow);
    EXPECT_EQ(receivedCode, std::atoi(expected));
    EXPECT_EQ(inboundConnection.load(), kNoSocket);
    EXPECT_EQ(outboundConnection.load(), kNoSocket);
    CloseConnectionPair();
    WSACleanup();
}

}  // namespace
