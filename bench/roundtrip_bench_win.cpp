// Round trips of the hub's real network threads under Wine, against bench/wire_peer:
// `queue` times a burst of queued messages each waiting for its acknowledgement, `serve`
// only acknowledges the peer's messages (the peer times them), `pingpong` is the raw
// Winsock floor for the same message size.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/latency_summary.h"
#include "net/hub_handles_win.h"
#include "net/notification_codes.h"
#include "net/connection_thread.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/queue_lock.h"
#include "net/queues.h"
#include "net/traffic.h"

namespace {

using Clock = std::chrono::steady_clock;

int connectCode = 0;            // what the connection thread reported
bool connectionLost = false;    // a traffic thread reported the end
std::int32_t targetNumber = 0;  // queue mode: stop once this is acknowledged

double Seconds(Clock::duration span) {
    return std::chrono::duration<double>(span).count();
}

// Stands in for the main window: the same reactions to the threads' codes, nothing else.
LRESULT CALLBACK Receiver(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != TavloraIntMessage) return DefWindowProcW(window, message, wParam, lParam);
    switch (static_cast<int>(wParam)) {
        case NC_INBOUND:
            DispatchInbound();
            if (targetNumber > 0 && acknowledgedNumber.load() >= targetNumber) PostQuitMessage(0);
            break;
        case NC_CONNECTION_LOST:
            connectionLost = true;
            PostQuitMessage(0);
            break;
        default:
            connectCode = static_cast<int>(wParam);
            PostQuitMessage(0);
            break;
    }
    return 0;
}

void PumpUntilQuit() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
}

template <void (*Body)()>
HANDLE Start() {
    return CreateThread(
        nullptr, 0, [](LPVOID) -> DWORD { return Body(), 0; }, nullptr, 0, nullptr);
}

void ConnectOnce() {
    ConnectionThread(1);
}

// Runs the handshake and, as the main window does on NC_CONNECTED, starts the traffic
// threads. False (with a message) when the peer did not let us in.
bool Connect(std::vector<HANDLE>& threads) {
    WNDCLASSW receiverClass{};
    receiverClass.lpfnWndProc = Receiver;
    receiverClass.hInstance = GetModuleHandleW(nullptr);
    receiverClass.lpszClassName = L"TavloraBenchReceiver";
    RegisterClassW(&receiverClass);
    SetMainWindow(CreateWindowW(L"TavloraBenchReceiver", L"", 0, 0, 0, 0, 0, nullptr, nullptr,
                                receiverClass.hInstance, nullptr));
    CreateQueueLock();
    threads.push_back(Start<ConnectOnce>());
    PumpUntilQuit();
    if (connectCode != NC_CONNECTED) {
        std::fprintf(stderr, "connection thread reported %d\n", connectCode);
        return false;
    }
    MarkConnected();
    threads.push_back(Start<ReceiveLoop>());
    threads.push_back(Start<SenderThread>());
    return true;
}

void Disconnect(std::vector<HANDLE>& threads) {
    DropConnection();
    // The receive loop gives up only after its failed-read pauses.
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, 5000);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    DestroyWindow(mainWindow);
}

int RunQueue(int count) {
    std::vector<HANDLE> threads;
    if (!Connect(threads)) return 3;
    targetNumber = count;
    const Clock::time_point start = Clock::now();
    // The main thread dispatches no acknowledgement while it pushes: the push time is part
    // of the total and shown on its own.
    for (int i = 1; i <= count; ++i)
        PushOutbound("99," + std::to_string(i) + ",!");
    const double pushSeconds = Seconds(Clock::now() - start);
    PumpUntilQuit();
    const double seconds = Seconds(Clock::now() - start);
    const int acknowledged = acknowledgedNumber.load();
    Disconnect(threads);
    if (acknowledged < count) {
        std::fprintf(stderr, "connection lost after %d of %d messages\n", acknowledged, count);
        return 4;
    }
    std::printf("queue messages=%d seconds=%.6f push_seconds=%.6f rate=%.0f\n", count, seconds,
                pushSeconds, count / seconds);
    return 0;
}

int RunServe() {
    std::vector<HANDLE> threads;
    if (!Connect(threads)) return 3;
    PumpUntilQuit();  // until the peer closes and a thread reports the loss
    Disconnect(threads);
    std::printf("serve lost=%d\n", connectionLost ? 1 : 0);
    return 0;
}

// Blocking send and receive of `bytes` at a time over one plain socket with default
// options, as the hub's sockets have.
int RunPingPong(int count, int bytes, int port) {
    SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<u_short>(port));
    target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&target), sizeof target) != 0) {
        std::fprintf(stderr, "connect to %d failed: %d\n", port, WSAGetLastError());
        return 3;
    }
    std::string out(static_cast<std::size_t>(bytes), 'x');
    std::vector<char> in(static_cast<std::size_t>(bytes));
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(count));
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < count; ++i) {
        const Clock::time_point sent = Clock::now();
        send(socket, out.data(), bytes, 0);
        for (int got = 0; got < bytes;) {
            int received = recv(socket, in.data() + got, bytes - got, 0);
            if (received <= 0) {
                std::fprintf(stderr, "echo lost after %d round trips\n", i);
                return 4;
            }
            got += received;
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    }
    const double seconds = Seconds(Clock::now() - start);
    closesocket(socket);
    std::printf("pingpong count=%d bytes=%d seconds=%.6f rate=%.0f %s\n", count, bytes, seconds,
                count / seconds, LatencySummary(micros).c_str());
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: roundtrip_bench queue <count>\n"
                 "       roundtrip_bench serve\n"
                 "       roundtrip_bench pingpong <count> <bytes> [port]\n");
    return 1;
}

int Run(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "queue" && argc == 3 && std::atoi(argv[2]) > 0) return RunQueue(std::atoi(argv[2]));
    if (mode == "serve" && argc == 2) return RunServe();
    if (mode == "pingpong" && (argc == 4 || argc == 5) && std::atoi(argv[2]) > 0 &&
        std::atoi(argv[3]) > 0)
        return RunPingPong(std::atoi(argv[2]), std::atoi(argv[3]),
                           argc == 5 ? std::atoi(argv[4]) : 3560);
    return Usage();
}

}  // namespace

int main(int argc, char** argv) {
    WSADATA winsock{};
    WSAStartup(MAKEWORD(2, 0), &winsock);
    const int status = Run(argc, argv);
    std::fflush(stdout);
    WSACleanup();
    return status;
}
