// The probe as a hostile local peer: a window that takes a sibling's class name, a burst
// of notification codes, and what a process holds (handles, memory).
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <string>

#include "net/escaped_bytes.h"
#include "net/names.h"
#include "net/text_convert.h"
#include "tools/probe/probe_commands_win.h"
#include "tools/probe/probe_text.h"
#include "tools/probe/probe_windows_win.h"

namespace {

// Handle values are multiples of 4; a scan gives up this many values after the last hit.
constexpr std::uintptr_t kHandleScanSlack = 4 * 4096;

int UsageLine(const std::string& error) {
    PrintLine("{\"ok\":false,\"error\":" + JsonString(error) + "}");
    return kUsage;
}

int FailLine(const std::string& error, const std::string& target) {
    PrintLine("{\"ok\":false,\"error\":" + JsonString(error) + ",\"target\":" + JsonString(target) +
              "}");
    return kFailed;
}

UINT claimedMessage = 0;  // TavloraIntMessage, registered by ClaimCommand

LRESULT CALLBACK ClaimProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string bytes(static_cast<const char*>(data->lpData), data->cbData);
        PrintLine("{\"copydata\":" + std::to_string(data->dwData) +
                  ",\"text\":" + JsonString(Printable(bytes, bytes.size())) + "}");
        return 0;
    }
    if (message == claimedMessage && claimedMessage != 0) {
        PrintLine("{\"notify\":" + std::to_string(wParam) +
                  ",\"lparam\":" + std::to_string(static_cast<std::int64_t>(lParam)) + "}");
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Every handle value another process answers for, when the system does not count them.
std::uint64_t ScanHandles(HANDLE process) {
    std::uint64_t count = 0;
    std::uintptr_t lastHit = 0;
    for (std::uintptr_t value = 4; value <= lastHit + kHandleScanSlack; value += 4) {
        HANDLE copy = nullptr;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), &copy, 0,
                            FALSE, DUPLICATE_SAME_ACCESS)) {
            CloseHandle(copy);
            ++count;
            lastHit = value;
        }
    }
    return count;
}

// xorshift64: the same lParams for the same seed on every run.
std::uint64_t NextRandom(std::uint64_t& state) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
}

}  // namespace

int ClaimCommand(const ProbeArgs& args) {
    if (args.size() != 2) return UsageLine("expected <class> <ms>");
    auto milliseconds = ParseNumber(args[1]);
    if (!milliseconds || *milliseconds < 0) return UsageLine("bad time");
    claimedMessage = RegisterWindowMessageW(kRegisteredMessageName);
    const std::wstring className = WideFromUtf8(args[0]);
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ClaimProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassW(&windowClass)) return FailLine("class not registered", args[0]);
    HWND window = CreateWindowExW(0, className.c_str(), L"impostor", WS_OVERLAPPED, 0, 0, 100, 50,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return FailLine("window not created", args[0]);
    PrintLine("{\"ok\":true,\"hwnd\":\"" + HexText(reinterpret_cast<std::uintptr_t>(window)) +
              "\",\"class\":" + JsonString(args[0]) + "}");
    SetTimer(window, 1, static_cast<UINT>(*milliseconds), nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (message.message == WM_TIMER && message.hwnd == window) {
            DestroyWindow(window);
            continue;
        }
        DispatchMessageW(&message);
    }
    return kOk;
}

int PostCodesCommand(const ProbeArgs& args) {
    if (args.size() != 4) return UsageLine("expected <target> <first> <last> <seed>");
    auto first = ParseNumber(args[1]), last = ParseNumber(args[2]), seed = ParseNumber(args[3]);
    if (!first || !last || !seed || *first > *last || *seed == 0)
        return UsageLine("bad range or seed");
    HWND window = FindTarget(args[0]);
    if (!window) return FailLine("not found", args[0]);
    const UINT message = RegisterWindowMessageW(kRegisteredMessageName);
    std::uint64_t state = static_cast<std::uint64_t>(*seed);
    std::int64_t posted = 0;
    for (std::int64_t code = *first; code <= *last; ++code) {
        const auto lParam = static_cast<LPARAM>(NextRandom(state));
        if (!PostMessageW(window, message, static_cast<WPARAM>(code), lParam))
            return FailLine("post failed", args[0]);
        ++posted;
    }
    PrintLine("{\"ok\":true,\"posted\":" + std::to_string(posted) + "}");
    return kOk;
}

int ResourcesCommand(const ProbeArgs& args) {
    if (args.size() != 1) return UsageLine("expected <target>");
    HWND window = FindTarget(args[0]);
    if (!window) return FailLine("not found", args[0]);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE,
                                 FALSE, processId);
    if (!process) return FailLine("process not opened", args[0]);
    DWORD handles = 0;
    std::string method = "count";
    if (!GetProcessHandleCount(process, &handles) || handles == 0) {
        handles = static_cast<DWORD>(ScanHandles(process));
        method = "scan";
    }
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    CloseHandle(process);
    PrintLine("{\"ok\":true,\"pid\":" + std::to_string(processId) +
              ",\"handles\":" + std::to_string(handles) + ",\"handles_by\":\"" + method +
              "\",\"working_set\":" + std::to_string(memory.WorkingSetSize) +
              ",\"private\":" + std::to_string(memory.PrivateUsage) + "}");
    return kOk;
}
