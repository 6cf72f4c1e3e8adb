// Crash reports. A thread made at start-up waits for a crash and does all the work: the
// crashed thread's stack may be used up and the heap broken, so nothing here allocates,
// and the paths and the dump writer are ready before anything can crash.
#include "app/crash_report_win.h"

#include <windows.h>

#include <dbghelp.h>

#include <exception>

#include "settings/settings.h"
#include "ui/texts.h"

namespace {

constexpr int kDumpsKept = 5;
// No system exception stands behind std::terminate; the dump records this code instead.
constexpr DWORD kUncaughtExceptionCode = 0xE0544156;
constexpr UINT kTerminateExitCode = 3;  // as abort() ends a program
constexpr int kPathRoom = MAX_PATH + 64;
// Wine writes the whole reserved stack of the thread that writes the dump (never less
// than 1 MB there); Windows writes the part in use.
constexpr SIZE_T kReporterStack = 256 * 1024;

using WriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE,
                                        PMINIDUMP_EXCEPTION_INFORMATION,
                                        PMINIDUMP_USER_STREAM_INFORMATION,
                                        PMINIDUMP_CALLBACK_INFORMATION);

WriteDumpFunction writeDump = nullptr;
wchar_t crashFolder[kPathRoom];  // <settings folder>\crashes
wchar_t dumpPath[kPathRoom];
wchar_t message[3 * kPathRoom];
HANDLE crashSignal = nullptr;
DWORD reporterThreadId = 0;
LONG crashed = 0;
EXCEPTION_POINTERS* crashPointers = nullptr;
DWORD crashThreadId = 0;
UINT crashExitCode = 0;

// Removes the oldest dumps (by time written, never the one just written) beyond the
// newest five.
void KeepNewestDumps(const wchar_t* ownName) {
    wchar_t pattern[kPathRoom], oldest[kPathRoom];
    wsprintfW(pattern, L"%s\\tavlora-*.dmp", crashFolder);
    while (true) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(pattern, &found);
        if (search == INVALID_HANDLE_VALUE) return;
        int count = 0;
        FILETIME oldestTime{0xFFFFFFFF, 0xFFFFFFFF};
        oldest[0] = L'\0';
        do {
            ++count;
            if (lstrcmpiW(found.cFileName, ownName) != 0 &&
                CompareFileTime(&found.ftLastWriteTime, &oldestTime) < 0) {
                oldestTime = found.ftLastWriteTime;
                lstrcpynW(oldest, found.cFileName, kPathRoom);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
        if (count <= kDumpsKept || oldest[0] == L'\0') return;
        wchar_t path[kPathRoom];
        wsprintfW(path, L"%s\\%s", crashFolder, oldest);
        if (!DeleteFileW(path)) return;
    }
}

bool WriteDump() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const int pathLength = wsprintfW(dumpPath, L"%s\\tavlora-%04u%02u%02u-%02u%02u%02u-%lu.dmp",
                                     crashFolder, now.wYear, now.wMonth, now.wDay, now.wHour,
                                     now.wMinute, now.wSecond, GetCurrentProcessId());
    if (writeDump == nullptr || pathLength <= 0) return false;
    CreateDirectoryW(crashFolder, nullptr);
    HANDLE file = CreateFileW(dumpPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    MINIDUMP_EXCEPTION_INFORMATION exception{crashThreadId, crashPointers, FALSE};
    const bool written = writeDump(GetCurrentProcess(), GetCurrentProcessId(), file, MiniDumpNormal,
                                   &exception, nullptr, nullptr);
    CloseHandle(file);
    if (!written) DeleteFileW(dumpPath);
    return written;
}

DWORD WINAPI ReportCrash(void*) {
    WaitForSingleObject(crashSignal, INFINITE);
    const bool written = WriteDump();
    if (written) KeepNewestDumps(dumpPath + lstrlenW(crashFolder) + 1);
    // The language is read as it is now: the account may have changed it since start-up.
    const int shown = language;
    lstrcpynW(message, TextChars(TextId::CrashStopped, shown), kPathRoom);
    if (written) {
        wsprintfW(message + lstrlenW(message), L"\r\n%s\r\n\r\n%s",
                  TextChars(TextId::CrashReportSaved, shown), dumpPath);
    }
    MessageBoxW(nullptr, message, TextChars(TextId::ScreenTooSmallCaption, shown),
                MB_OK | MB_ICONERROR | MB_TOPMOST);
    TerminateProcess(GetCurrentProcess(), crashExitCode);
    return 0;
}

// Hands the crash to the reporter and waits for it to end the process. A second crash
// meanwhile waits too, unless it is the reporter's own, which ends the process at once.
[[noreturn]] void HandOver(EXCEPTION_POINTERS* pointers, UINT exitCode) {
    if (InterlockedCompareExchange(&crashed, 1, 0) != 0) {
        if (GetCurrentThreadId() == reporterThreadId)
            TerminateProcess(GetCurrentProcess(), crashExitCode);
        while (true)
            Sleep(INFINITE);
    }
    crashPointers = pointers;
    crashThreadId = GetCurrentThreadId();
    crashExitCode = exitCode;
    SetEvent(crashSignal);
    while (true)
        Sleep(INFINITE);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    HandOver(pointers, pointers->ExceptionRecord->ExceptionCode);
}

[[noreturn]] void OnTerminate() {
    CONTEXT context;
    RtlCaptureContext(&context);
    EXCEPTION_RECORD record{};
    record.ExceptionCode = kUncaughtExceptionCode;
    record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
#if defined(_M_X64) || defined(__x86_64__)
    record.ExceptionAddress = reinterpret_cast<void*>(context.Rip);
#endif
    EXCEPTION_POINTERS pointers{&record, &context};
    HandOver(&pointers, kTerminateExitCode);
}

}  // namespace

void InstallCrashReport(const std::wstring& settingsFolder) {
    if (settingsFolder.size() + 16 >= static_cast<std::size_t>(MAX_PATH)) return;
    wsprintfW(crashFolder, L"%s\\crashes", settingsFolder.c_str());
    // From the system folder only: a dbghelp.dll beside the program is not taken.
    HMODULE dbghelp = LoadLibraryExW(L"dbghelp.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (dbghelp == nullptr) return;
    writeDump = reinterpret_cast<WriteDumpFunction>(
        reinterpret_cast<void*>(GetProcAddress(dbghelp, "MiniDumpWriteDump")));
    // Wine's dump writer first loads every module's symbols for a process that dbghelp
    // does not know yet; told of the process now, it has no reason to.
    using InitializeFunction = BOOL(WINAPI*)(HANDLE, PCWSTR, BOOL);
    if (auto initialize = reinterpret_cast<InitializeFunction>(
            reinterpret_cast<void*>(GetProcAddress(dbghelp, "SymInitializeW"))))
        initialize(GetCurrentProcess(), nullptr, FALSE);
    crashSignal = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE reporter = crashSignal == nullptr
                          ? nullptr
                          : CreateThread(nullptr, kReporterStack, ReportCrash, nullptr,
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, &reporterThreadId);
    if (reporter == nullptr) return;
    CloseHandle(reporter);
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
}
