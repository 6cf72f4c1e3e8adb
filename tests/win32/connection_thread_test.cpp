// The connection thread under Wine, against whatever server the test driver started
// (tests/e2e/test_connection_thread.py): it must post exactly the code the driver
// expects to the main window, here a hidden receiver window of the test.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "net/hub_handles_win.h"
#include "net/connection_thread.h"
#include "net/link.h"
#include "net/queue_lock.h"

namespace {

int receivedCode = 0;

LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TavloraIntMessage) {
        receivedCode = static_cast<int>(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs the thread and pumps messages until it has posted its code (or 30 s pass).
int RunConnectionThread() {
    WNDCLASSW receiverClass{};
    receiverClass.lpfnWndProc = Receiver;
    receiverClass.hInstance = GetModuleHandleW(nullptr);
    receiverClass.lpszClassName = L"TavloraTestReceiver";
    RegisterClassW(&receiverClass);
    SetMainWindow(CreateWindowW(L"TavloraTestReceiver", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                receiverClass.hInstance, nullptr));
    receivedCode = 0;
    HANDLE thread = CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return ConnectionThread(), 0; }, nullptr, 0, nullptr);
    const DWORD deadline = GetTickCount() + 30000;
    MSG message;
    while (receivedCode == 0 && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
    DestroyWindow(mainWindow);
    return receivedCode;
}

TEST(ConnectionThreadLive, PostsTheExpectedCode) {
    const char* expected = std::getenv("TAVLORA_EXPECT_CODE");
    if (expected == nullptr) GTEST_SKIP() << "run by test_connection_thread.py with a server";
    WSADATA winsock{};
    WSAStartup(MAKEWORD(2, 0), &winsock);
    CreateQueueLock();
    inboundConnection = kNoSocket;
    outboundConnection = kNoSocket;

    EXPECT_EQ(RunConnectionThread(), std::atoi(expected));
    if (std::atoi(expected) == 6) {
        EXPECT_NE(inboundConnection.load(), kNoSocket);
        EXPECT_NE(outboundConnection.load(), kNoSocket);
        // The sockets are the real pair: the server's acknowledgement of a message sent
        // on the outbound connection arrives on the inbound one.
        const char message[] = "1,10,0,!";
        send(static_cast<SOCKET>(outboundConnection.load()), message, sizeof message - 1, 0);
        char reply[64] = {};
        int got = recv(static_cast<SOCKET>(inboundConnection.load()), reply, sizeof reply - 1, 0);
        EXPECT_GT(got, 0);
        EXPECT_NE(std::string(reply).find("2,1,!"), std::string::npos) << reply;
    } else {
        EXPECT_EQ(inboundConnection.load(), kNoSocket);
        EXPECT_EQ(outboundConnection.load(), kNoSocket);
    }
    CloseConnectionPair();
    WSACleanup();
}

}  // namespace
