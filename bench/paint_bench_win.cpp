// Repaint cost of the skinned windows, measured inside one process under Wine: the main
// window with every control of the logged-in lobby, the error dialog and the about box,
// each invalidated with all its children and painted at once, many times over; the main
// window's title band alone ("title-band", what a change of the lobby's counts repaints);
// then the room list with 2,000 rooms, whole ("rooms") and only its second row
// ("room-row", as when one room's record changes). Prints one line per window: "<name>
// ms_per_repaint=<ms> windows=<painted per repaint> objects_made=<per repaint>
// objects_left=<n>".
// bench/wine_paint.py measures the same on the running hub from outside.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

#include "app/main_window_win.h"
#include "lobby/lobby_state.h"
#include "net/hub_handles_win.h"
#include "net/wire.h"
#include "net/notification_codes.h"
#include "session/session.h"
#include "settings/settings.h"
#include "ui/class_registration_win.h"
#include "ui/dialog_place_win.h"
#include "ui/list_scroll_win.h"
#include "ui/main_paint_win.h"
#include "ui/paint_win.h"
#include "ui/registry_win.h"

namespace {

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Repaints `part` of the window (nullptr: all of it, with its children) `count` times.
void Measure(const char* name, HWND window, int count, const RECT* part = nullptr) {
    PaintCounts before = PaintCountsSoFar();
    double start = NowMs();
    const UINT children = part == nullptr ? RDW_ALLCHILDREN : 0;
    for (int i = 0; i < count; ++i)
        RedrawWindow(window, part, nullptr, RDW_INVALIDATE | children | RDW_UPDATENOW);
    double elapsed = NowMs() - start;
    PaintCounts after = PaintCountsSoFar();
    long made = after.created - before.created;
    long left = made - (after.deleted - before.deleted);
    std::printf("%s ms_per_repaint=%.3f windows=%ld objects_made=%ld objects_left=%ld\n", name,
                elapsed / count, (after.paints - before.paints) / count, made / count, left);
}

void Show(WinId id) {
    ShowWindow(WindowHandle(id), SW_SHOWNA);
}

}  // namespace

int main(int argc, char** argv) {
    int count = argc > 1 ? std::atoi(argv[1]) : 500;
    if (count < 1) count = 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    SetProgramInstance(GetModuleHandleW(nullptr));
    SetSetting(kSoundKey, 0);
    RegisterWindowClasses(programInstance, MainWindowProcedure);
    SetMainWindow(CreateWindowExW(0, L"KXLobby0", L"Tavlora", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 640,
                                  480, nullptr, nullptr, programInstance, nullptr));
    // The lobby as a logged-in player sees it: every panel of the main window shown.
    ResetSession(true);
    SetLoginFields(L"demo", L"demo1234");
    OnLoginReply(LOGIN_ACCEPTED);
    ShowWindow(mainWindow, SW_SHOW);
    ShowWindow(WindowHandle(WinId::Connect), SW_HIDE);
    for (WinId id :
         {WinId::Clock, WinId::LogoffFrame, WinId::Tabs, WinId::News, WinId::HeadMenuBackground})
        Show(id);
    PumpMessages();
    Measure("main", mainWindow, count);
    const RECT titleBand{1, 1, 639, 71};
    Measure("title-band", mainWindow, count, &titleBand);
    if (argc > 2) {  // any second argument: each visible control of the main window alone
        for (HWND child = GetWindow(GetWindow(mainWindow, GW_CHILD), GW_HWNDFIRST);
             child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            char name[64];
            GetClassNameA(child, name, sizeof name);
            Measure(name, child, count);
        }
    }

    showErrorState(ERROR_WRONG_LOGIN, LAYOUT_OK_CANCEL);
    PumpMessages();
    Measure("error", WindowHandle(WinId::Error), count);
    ShowWindow(WindowHandle(WinId::Error), SW_HIDE);

    OpenModalDialog(WindowHandle(WinId::About), 145, 60, 290, 120);  // as Help > About
    PumpMessages();
    Measure("about", WindowHandle(WinId::About), count);
    ShowWindow(WindowHandle(WinId::About), SW_HIDE);

    for (int id = 1; id <= 2000; ++id)
        AddRoom({.id = id,
                 .name = L"Room " + std::to_wstring(id),
                 .moneyKind = 1 + id % 3,
                 .users = id % 7,
                 .listed = true});
    HWND rooms = WindowHandle(WinId::RoomBody);
    SetListRows(rooms, 2000, kListPageRows);
    Show(WinId::RoomBody);
    PumpMessages();
    Measure("rooms", rooms, count);
    const RECT secondRow{0, kListRowHeight, 430, 2 * kListRowHeight};
    Measure("room-row", rooms, count, &secondRow);
    return 0;
}
