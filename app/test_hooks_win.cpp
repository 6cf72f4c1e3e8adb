// Built into TavloraTest.exe only, never into Tavlora.exe: lets an end-to-end test act on
// the room list without aiming the pointer, by posting TavloraIntMessage to the main window
// (KXLobby0), for instance `probe post KXLobby0 TavloraIntMessage 900 <room id>`:
//   900, lParam room id      select that room and enter it, as "Enter room" does
//   901, lParam list index   a click on that entry of the room list
//   902, lParam column 1..3  a click on the room list's name, money kind or users head
//   903, lParam sequence     appends one line of the process's own counts to the file
//                            named by TAVLORA_TEST_REPORT (nothing without it): handles,
//                            memory, CPU, and the GDI objects painting made and deleted,
//                            which Wine's GetGuiResources (always 0) cannot show
//   904, 905, 906            crash: a write through a null pointer on the main thread, the
//                            same on a new thread, an exception thrown where none may pass;
//                            only with TAVLORA_TEST_CRASH set (tests post codes at random)
// A message hook of the main thread takes these posts before the main window procedure
// would see them, so the hub's own code carries no trace of them.
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <stdexcept>

#include "lobby/lobby_state.h"
#include "lobby/room_list.h"
#include "lobby/sibling_launch.h"
#include "net/hub_handles_win.h"
#include "ui/paint_win.h"

namespace {

enum TestCode : WPARAM {
    TEST_ENTER_ROOM = 900,
    TEST_SELECT_ROOM_AT = 901,
    TEST_SORT_BY_COLUMN = 902,
    TEST_REPORT_COUNTS = 903,
    TEST_CRASH_MAIN_THREAD = 904,
    TEST_CRASH_WORKER_THREAD = 905,
    TEST_CRASH_UNCAUGHT = 906,
};

const bool crashCodesTaken = GetEnvironmentVariableW(L"TAVLORA_TEST_CRASH", nullptr, 0) > 0;
int* volatile nowhere = nullptr;

void WriteNowhere() {
    *nowhere = 1;
}

void ThrowWhereNoneMayPass() noexcept {
    // The compiler knows this ends in std::terminate, which is the point.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wterminate"
    throw std::runtime_error("test code 906");
#pragma GCC diagnostic pop
}

DWORD WINAPI CrashingThread(void*) {
    WriteNowhere();
    return 0;
}

// A crash inside the message hook itself would be swallowed by Wine's callback
// dispatcher, so the main thread's crashes come from this window's procedure, which the
// message loop dispatches as it does the hub's windows.
LRESULT CALLBACK CrashWindowProcedure(HWND window, UINT message, WPARAM code, LPARAM lParam) {
    if (message == WM_APP && code == TEST_CRASH_MAIN_THREAD) WriteNowhere();
    if (message == WM_APP && code == TEST_CRASH_UNCAUGHT) ThrowWhereNoneMayPass();
    return DefWindowProcW(window, message, code, lParam);
}

HWND CrashWindow() {
    static HWND window = nullptr;
    if (window == nullptr) {
        WNDCLASSW crashClass{};
        crashClass.lpfnWndProc = CrashWindowProcedure;
        crashClass.hInstance = GetModuleHandleW(nullptr);
        crashClass.lpszClassName = L"TavloraTestCrash";
        RegisterClassW(&crashClass);
        window = CreateWindowExW(0, crashClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                 nullptr, crashClass.hInstance, nullptr);
    }
    return window;
}

// Wine's GetProcessHandleCount answers 0: count the handle values that answer instead.
// Handles are handed out lowest free first, so a long run of gaps means the end.
DWORD OpenHandleCount() {
    DWORD counted = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &counted) && counted != 0) return counted;
    int gap = 0;
    for (std::uintptr_t value = 4; gap < 4096; value += 4) {
        DWORD flags = 0;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
            ++counted;
            gap = 0;
        } else {
            ++gap;
        }
    }
    return counted;
}

// Handles one WaitForInputIdle call leaves in this process, measured once, on the
// desktop's process: Wine 8 keeps the idle event it waited on, one per call, so every
// sibling start leaves one behind that is not the hub's. The median of five tries, as
// the hub's other threads may open or close a handle meanwhile. -1 when it cannot be
// measured.
long IdleWaitLeak() {
    static long leak = -2;
    if (leak != -2) return leak;
    leak = -1;
    DWORD id = 0;
    GetWindowThreadProcessId(GetDesktopWindow(), &id);
    if (id == 0 || id == GetCurrentProcessId()) return leak;
    HANDLE other = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, id);
    if (other == nullptr) return leak;
    long tries[5];
    for (long& left : tries) {
        const DWORD before = OpenHandleCount();
        WaitForInputIdle(other, 0);
        left = static_cast<long>(OpenHandleCount()) - static_cast<long>(before);
    }
    CloseHandle(other);
    std::sort(std::begin(tries), std::end(tries));
    leak = tries[2];
    return leak;
}

unsigned long long Milliseconds(const FILETIME& time) {
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
           10000;
}

void ReportCounts(LPARAM sequence) {
    wchar_t path[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"TAVLORA_TEST_REPORT", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    const long idleWaitLeak = IdleWaitLeak();
    // Counted before the report file is opened, so its handle is not among them.
    const DWORD handles = OpenHandleCount();
    const PaintCounts paints = PaintCountsSoFar();
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    FILETIME created{}, ended{}, kernel{}, user{};
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    char line[512];
    int size = std::snprintf(
        line, sizeof line,
        "report %lld paints=%ld gdi_made=%ld gdi_deleted=%ld handles=%lu gdi=%lu user=%lu "
        "working_set_kb=%llu peak_working_set_kb=%llu private_kb=%llu cpu_ms=%llu "
        "idle_wait_leak=%ld\r\n",
        static_cast<long long>(sequence), paints.paints, paints.created, paints.deleted,
        static_cast<unsigned long>(handles),
        static_cast<unsigned long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)),
        static_cast<unsigned long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)),
        static_cast<unsigned long long>(memory.WorkingSetSize / 1024),
        static_cast<unsigned long long>(memory.PeakWorkingSetSize / 1024),
        static_cast<unsigned long long>(memory.PagefileUsage / 1024),
        Milliseconds(kernel) + Milliseconds(user), idleWaitLeak);
    if (size <= 0 || size >= static_cast<int>(sizeof line)) return;
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, line, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
}

bool RunTestCode(WPARAM code, LPARAM argument) {
    switch (code) {
        case TEST_ENTER_ROOM:
            SetSelectedRoomId(static_cast<std::int32_t>(argument));
            OpenRoomWindow();
            return true;
        case TEST_SELECT_ROOM_AT:
            SelectRoomAt(static_cast<std::size_t>(argument));
            return true;
        case TEST_SORT_BY_COLUMN:
            ToggleRoomSort(static_cast<int>(argument));
            return true;
        case TEST_REPORT_COUNTS:
            ReportCounts(argument);
            return true;
        case TEST_CRASH_WORKER_THREAD:
            if (!crashCodesTaken) return false;
            CloseHandle(CreateThread(nullptr, 0, CrashingThread, nullptr, 0, nullptr));
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK TakeTestCodes(int action, WPARAM removal, LPARAM lParam) {
    if (action == HC_ACTION && removal == PM_REMOVE) {
        MSG* message = reinterpret_cast<MSG*>(lParam);
        if (message->hwnd == mainWindow && mainWindow != nullptr &&
            message->message == TavloraIntMessage) {
            if (crashCodesTaken && (message->wParam == TEST_CRASH_MAIN_THREAD ||
                                    message->wParam == TEST_CRASH_UNCAUGHT)) {
                message->hwnd = CrashWindow();
                message->message = WM_APP;
            } else if (RunTestCode(message->wParam, message->lParam)) {
                message->message = WM_NULL;  // taken: the window procedure sees nothing
            }
        }
    }
    return CallNextHookEx(nullptr, action, removal, lParam);
}

// Installed before the entry point runs, on the thread that will run the message loop.
const HHOOK testHook =
    SetWindowsHookExW(WH_GETMESSAGE, TakeTestCodes, nullptr, GetCurrentThreadId());

}  // namespace
