// Entry point: single instance, start-up sequence, placement, the connection thread and
// the message loop.
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include "settings/config_files.h"
#include "app/config_snapshot.h"
#include "app/crash_report_win.h"
#include "net/connection_log.h"
#include "net/connection_log_win.h"
#include "net/hub_handles_win.h"
#include "app/inbound_routes.h"
#include "app/main_window_win.h"
#include "net/names.h"
#include "settings/paths.h"
#include "app/screen_win.h"
#include "settings/settings.h"
#include "session/session.h"
#include "session/ui_port.h"
#include "net/queue_lock.h"
#include "ui/class_registration_win.h"
#include "ui/registry_win.h"

namespace {

// Exit code when start-up cannot create the hub's windows or start Winsock.
constexpr int kExitStartFailed = 1;

// Main window style: a frameless popup that still has a system menu, a (never used)
// sizing border and a minimise box for the taskbar.
constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;

std::wstring ShellFolder(int folder) {
    wchar_t path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, folder, nullptr, 0, path))) return std::wstring();
    return path;
}

void PrepareFolders() {
    SetProgramFolder(ProgramFolderFromCommandLine(GetCommandLineW()));
    std::wstring documents = ShellFolder(CSIDL_PERSONAL);
    std::wstring localAppData = ShellFolder(CSIDL_LOCAL_APPDATA);
    FormPaths(documents, localAppData);
    if (!documents.empty()) {
        CreateDirectoryW(documentsFolder.c_str(), nullptr);
        CreateDirectoryW(savedGamesFolder.c_str(), nullptr);
    }
    if (!localAppData.empty()) CreateDirectoryW(settingsFolder.c_str(), nullptr);
}

// False when the screen cannot hold the main window.
bool PlaceMainWindow() {
    const ScreenRect work = MainWorkArea();
    const OuterSize outer = MainWindowOuterSize(mainWindow);
    if (ScreenTooSmall(work, outer)) return false;
    if (!mainWindowPositionKnown) {
        const ScreenPoint centred = CentredPosition(work, outer);
        SetMainWindowPosition(centred.x, centred.y);
    }
    ScreenPoint corner{mainWindowLeft, mainWindowTop};
    corner = ClampIntoWorkArea(corner, outer, work);
    MoveWindow(mainWindow, corner.x, corner.y, outer.width, outer.height, FALSE);
    return true;
}

void PlaceContactsWindow() {
    ContactsPlace place = PlaceContacts(contactsRectKnown, contactsRect, MainWorkArea());
    SetContactsRect(place);
    MoveWindow(WindowHandle(WinId::Contacts), place.left, place.top, place.width, place.height,
               FALSE);
}

int RunMessageLoop() {
    MSG message{};
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    SetProgramInstance(instance);

    if (HWND running = FindWindowW(kMainWindowClass, nullptr)) {
        ShowWindow(running, SW_RESTORE);
        SetForegroundWindow(running);
        return 0;
    }
    HANDLE single = CreateMutexW(nullptr, FALSE, kSingleInstanceMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ReleaseMutex(single);
        CloseHandle(single);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WSADATA winsock{};
    if (WSAStartup(MAKEWORD(2, 0), &winsock) != 0) {
        ShowStartFailed();
        return kExitStartFailed;
    }
    CreateQueueLock();
    InstallHubInboundRoutes();
    PrepareFolders();
    InstallCrashReport(settingsFolder);
    if (CommandLineAsksForLog(GetCommandLineW())) {
        StartConnectionLogFile(settingsFolder + L"\\tavlora.log",
                               settingsFolder + L"\\tavlora.old.log");
        LogConnection("Tavlora started with /log, client version ", kClientVersion,
                      ", times in UTC");
    }
    TakeRememberedState(LoadSettingsFiles(configDatPath, configIniPath));
    MakePlayerColoursDistinct();

    // Without its classes or its main window the hub would run with nothing on the screen.
    if (!RegisterWindowClasses(instance, MainWindowProcedure)) {
        ShowStartFailed();
        return kExitStartFailed;
    }
    SetMainWindow(CreateWindowExW(0, kMainWindowClass, kMainWindowTitle, kMainWindowStyle, 0, 0,
                                  kMainClientWidth, kMainClientHeight, nullptr, nullptr, instance,
                                  nullptr));
    if (mainWindow == nullptr) {
        ShowStartFailed();
        return kExitStartFailed;
    }
    if (!PlaceMainWindow()) {
        ShowScreenTooSmall();
        PostMessageW(mainWindow, WM_CLOSE, 0, 0);
        return RunMessageLoop();
    }
    PlaceContactsWindow();
    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    StartConnectionAttempt();
    const int exitCode = RunMessageLoop();
    LogConnection("Tavlora closed");
    FlushConnectionLogFile();
    return exitCode;
}
