// Support for the tests that run the sibling programs and the probe as real processes:
// a stand-in hub window of class KXLobby0 that records what reaches it, process
// start and exit with the message queue kept moving, and the shared log.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

// One message that reached the stand-in hub.
struct HubReceipt {
    UINT message = 0;        // WM_COPYDATA, the registered message, a mouse message
    std::uint64_t code = 0;  // dwData, or wParam
    std::int64_t value = 0;  // lParam (not for WM_COPYDATA)
    std::string bytes;       // WM_COPYDATA: all cbData bytes
};

inline bool operator==(const HubReceipt& a, const HubReceipt& b) {
    return a.message == b.message && a.code == b.code && a.value == b.value && a.bytes == b.bytes;
}

inline void PrintTo(const HubReceipt& r, std::ostream* out) {
    *out << "{message " << r.message << ", code " << r.code << ", value " << r.value << ", "
         << r.bytes.size() << " bytes \"" << r.bytes << "\"}";
}

// A hidden top-level window of class KXLobby0 in this process, for the lifetime of
// the object. `receipts` fills while the queue is pumped.
struct StandInHub {
    StandInHub();
    ~StandInHub();
    HWND window = nullptr;
    std::vector<HubReceipt> receipts;
};

// The folder of the built programs: TAVLORA_BIN_DIR, else ..\..\bin from this test
// program (the build tree's layout); ends with a backslash.
std::wstring ProgramFolder();

// Dispatches this thread's messages until `done` holds or the time runs out.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Starts "<folder><program>" with the parameters as a launcher would (one blank after
// the quoted path); the sibling log goes to `logPath`. Returns the process handle.
HANDLE StartProgram(const std::wstring& program, const std::wstring& parameters,
                    const std::wstring& logPath);
// Waits (pumping) for the process to end; its exit code, or -1 when it did not end.
long WaitForExit(HANDLE process);

// A fresh log path in the temporary folder, and the lines of a log.
std::wstring NewLogPath();
std::vector<std::string> ReadLines(const std::wstring& path);

// The lines of another process's list box.
std::vector<std::string> ListBoxLines(HWND listBox);
// The text of another process's window or control (WM_GETTEXT), as UTF-8.
std::string TextOf(HWND window);

// A log path in a folder of its own, for tests that put a file beside the log, and
// writing such a file.
std::wstring LogPathInNewFolder();
void WriteFileBytes(const std::wstring& path, const std::string& bytes);

// Runs probe.exe with the arguments (already quoted where needed), pumping this
// thread's queue meanwhile; the exit code and the lines it printed.
struct ProbeResult {
    long exitCode = -1;
    std::vector<std::string> lines;
};
ProbeResult RunProbe(const std::wstring& arguments);
