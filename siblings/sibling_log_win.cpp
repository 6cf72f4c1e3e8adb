// Appending log lines shared by every sibling process.
#include "siblings/sibling_log_win.h"

#include <windows.h>

#include <string>

namespace {

HANDLE logFile = INVALID_HANDLE_VALUE;
HANDLE logTurn = nullptr;  // the log mutex shared by every sibling program
std::string linePrefix;

std::wstring LogPath() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableW(L"TAVLORA_SIBLING_LOG", buffer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) {
        std::wstring path(buffer, length);
        if (path[0] == L'/') {
            for (wchar_t& c : path)
                if (c == L'/') c = L'\\';
            path = L"Z:" + path;
        }
        return path;
    }
    length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring path(buffer, length < MAX_PATH * 2 ? length : 0);
    path.erase(path.find_last_of(L'\\') + 1);
    return path + L"siblings.log";
}

}  // namespace

std::string ReadBesideLog(const wchar_t* name) {
    std::wstring path = LogPath();
    path.erase(path.find_last_of(L'\\') + 1);
    HANDLE file = CreateFileW((path + name).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text(64 * 1024, '\0');
    DWORD read = 0;
    if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr)) read = 0;
    CloseHandle(file);
    text.resize(read);
    return text;
}

void OpenSiblingLog(std::string_view program, std::int64_t id) {
    linePrefix = std::string(program) + " " + std::to_string(id) + " ";
    // FILE_APPEND_DATA alone makes every write land at the current end of the file.
    logFile = CreateFileW(LogPath().c_str(), FILE_APPEND_DATA,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    // Under Wine an append is a seek to the end and a write, so two programs logging at
    // the same moment can overwrite each other's line: they take turns on this mutex.
    logTurn = CreateMutexW(nullptr, FALSE, L"TavloraSiblingLogTurn");
}

void WriteLogLine(std::string_view text) {
    if (logFile == INVALID_HANDLE_VALUE) return;
    std::string line = linePrefix;
    line += text;
    line += '\n';
    DWORD written = 0;
    const DWORD waited = logTurn != nullptr ? WaitForSingleObject(logTurn, 5000) : WAIT_FAILED;
    const bool turn = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    WriteFile(logFile, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    if (turn) ReleaseMutex(logTurn);
}
