// The connection log's writer thread and its file.
#include "net/connection_log_win.h"

#include <windows.h>

#include "net/connection_log.h"

namespace {

std::wstring logPath, olderPath;
HANDLE logFile = INVALID_HANDLE_VALUE;
std::uint64_t logSize = 0;
HANDLE wakeEvent = nullptr;
CRITICAL_SECTION fileLock;

void OpenLogFile(DWORD disposition = OPEN_ALWAYS) {
    logFile = CreateFileW(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                          nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER size{};
    logSize = logFile != INVALID_HANDLE_VALUE && GetFileSizeEx(logFile, &size)
                  ? static_cast<std::uint64_t>(size.QuadPart)
                  : 0;
}

void WritePending() {
    EnterCriticalSection(&fileLock);
    const std::string taken = TakeConnectionLog();
    std::string_view rest(taken);
    while (!rest.empty()) {
        const std::size_t fit = LogBytesThatFit(logSize, rest);
        if (fit == 0) {
            CloseHandle(logFile);
            // When the older file cannot be replaced (another program holds it), the full
            // one starts again from empty: the cap holds and the writer moves on.
            const bool moved =
                MoveFileExW(logPath.c_str(), olderPath.c_str(), MOVEFILE_REPLACE_EXISTING);
            OpenLogFile(moved ? OPEN_ALWAYS : CREATE_ALWAYS);
            if (logSize > 0) break;  // not even that: what is left is dropped
            continue;
        }
        DWORD written = 0;
        WriteFile(logFile, rest.data(), static_cast<DWORD>(fit), &written, nullptr);
        logSize += fit;
        rest.remove_prefix(fit);
    }
    LeaveCriticalSection(&fileLock);
}

void WakeWriter() {
    SetEvent(wakeEvent);
}

DWORD WINAPI WriteLog(void*) {
    while (WaitForSingleObject(wakeEvent, INFINITE) == WAIT_OBJECT_0)
        WritePending();
    return 0;
}

}  // namespace

void StartConnectionLogFile(const std::wstring& path, const std::wstring& older) {
    logPath = path;
    olderPath = older;
    InitializeCriticalSection(&fileLock);
    OpenLogFile();
    wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE writer = CreateThread(nullptr, 0, WriteLog, nullptr, 0, nullptr);
    if (writer == nullptr) return;
    CloseHandle(writer);
    StartConnectionLog(WakeWriter);
}

void FlushConnectionLogFile() {
    if (connectionLogOn) WritePending();
}
