// Stand-in hub window, process control and log reading for the sibling and probe tests.
#include "tests/win32/sibling_harness.h"

#include <gtest/gtest.h>

#include "net/names.h"

namespace {

StandInHub* activeHub = nullptr;

LRESULT CALLBACK StandInHubProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static const UINT hubMessage = RegisterWindowMessageW(kRegisteredMessageName);
    if (activeHub) {
        if (message == WM_COPYDATA) {
            auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            HubReceipt receipt{message, data->dwData, 0, {}};
            if (data->lpData) receipt.bytes.assign(static_cast<char*>(data->lpData), data->cbData);
            activeHub->receipts.push_back(receipt);
            return TRUE;
        }
        if (message == hubMessage || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
            activeHub->receipts.push_back({message, wParam, static_cast<std::int64_t>(lParam), {}});
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string Narrow(const std::wstring& wide) {
    int length = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), static_cast<int>(wide.size()), out.data(), length,
                        nullptr, nullptr);
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

HANDLE Launch(std::wstring commandLine, HANDLE output) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, output != nullptr, 0,
                        nullptr, nullptr, &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

}  // namespace

StandInHub::StandInHub() {
    if (FindWindowW(kMainWindowClass, nullptr))
        ADD_FAILURE() << "a KXLobby0 window is still open: the stand-in hub cannot take its place";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = StandInHubProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassW(&windowClass);
    window = CreateWindowExW(0, kMainWindowClass, L"stand-in hub", WS_POPUP, 0, 0, 10, 10, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    activeHub = this;
}

StandInHub::~StandInHub() {
    activeHub = nullptr;
    DestroyWindow(window);
    UnregisterClassW(kMainWindowClass, GetModuleHandleW(nullptr));
}

std::wstring ProgramFolder() {
    wchar_t buffer[MAX_PATH * 2];
    DWORD length = GetEnvironmentVariableW(L"TAVLORA_BIN_DIR", buffer, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) {
        std::wstring folder(buffer, length);
        if (folder.back() != L'\\') folder += L'\\';
        return folder;
    }
    length = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 2);
    std::wstring folder(buffer, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + L"..\\..\\bin\\";
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
    ULONGLONG end = GetTickCount64() + timeoutMs;
    while (true) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

HANDLE StartProgram(const std::wstring& program, const std::wstring& parameters,
                    const std::wstring& logPath) {
    SetEnvironmentVariableW(L"TAVLORA_SIBLING_LOG", logPath.c_str());
    return Launch(L"\"" + ProgramFolder() + program + L"\" " + parameters, nullptr);
}

long WaitForExit(HANDLE process) {
    if (!process) return -1;
    bool ended = PumpUntil([&] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; });
    DWORD exitCode = 0;
    GetExitCodeProcess(process, &exitCode);
    CloseHandle(process);
    return ended ? static_cast<long>(exitCode) : -1;
}

std::wstring NewLogPath() {
    static int counter = 0;
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tavlora-siblings-" + std::to_wstring(GetCurrentProcessId()) +
           L"-" + std::to_wstring(++counter) + L".log";
}

std::vector<std::string> ReadLines(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        text.append(buffer, read);
    CloseHandle(file);
    return SplitLines(text);
}

std::vector<std::string> ListBoxLines(HWND listBox) {
    std::vector<std::string> lines;
    LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, i, 0);
        std::wstring line(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()));
        line.resize(static_cast<std::size_t>(length > 0 ? length : 0));
        lines.push_back(Narrow(line));
    }
    return lines;
}

std::string TextOf(HWND window) {
    wchar_t text[16384] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    return Narrow(std::wstring(text, wcsnlen(text, std::size(text))));
}

std::wstring LogPathInNewFolder() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"tavlora-siblings-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-dir" +
                          std::to_wstring(++counter);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\siblings.log";
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

ProbeResult RunProbe(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    CreatePipe(&readEnd, &writeEnd, &inherit, 0);
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    HANDLE process = Launch(L"\"" + ProgramFolder() + L"probe.exe\" " + arguments, writeEnd);
    CloseHandle(writeEnd);
    std::string output;
    auto drain = [&] {
        DWORD available = 0;
        while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available) {
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(readEnd, buffer, sizeof(buffer), &read, nullptr) || read == 0) break;
            output.append(buffer, read);
        }
    };
    ProbeResult result;
    if (process) {
        // The probe may be sending to this thread's windows: keep the queue moving.
        PumpUntil([&] {
            drain();
            return WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
        });
        drain();
        result.exitCode = WaitForExit(process);
    }
    CloseHandle(readEnd);
    result.lines = SplitLines(output);
    return result;
}
