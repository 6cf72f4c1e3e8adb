// The sibling window: a plain list box filling the client area, fed with lines.
#include "siblings/sibling_window_win.h"

#include "net/text_convert.h"
#include "siblings/sibling_hub_win.h"
#include "siblings/sibling_messages_win.h"

namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 360;
// Old lines go once the list is this long: a chatty hub must not slow the window down.
constexpr LRESULT kMaxLines = 2000;
constexpr std::size_t kMaxLineLength = 1000;

HWND lineList = nullptr;

LRESULT CALLBACK SiblingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            lineList = CreateWindowExW(
                WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL,
                0, 0, 0, 0, window, nullptr, nullptr, nullptr);
            SendMessageW(lineList, WM_SETFONT,
                         reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
            return 0;
        case WM_SIZE:
            MoveWindow(lineList, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_COPYDATA:
            OnCopyData(window, reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            return TRUE;
        case WM_CLOSE:
            OnUserClose(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    if (message == HubMessage()) {
        OnHubNotification(window, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateSiblingWindow(HINSTANCE instance, const std::wstring& className,
                         const std::wstring& title, bool hasPosition, int x, int y) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = SiblingWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!RegisterClassExW(&windowClass)) return nullptr;
    return CreateWindowExW(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW,
                           hasPosition ? x : CW_USEDEFAULT, hasPosition ? y : CW_USEDEFAULT, kWidth,
                           kHeight, nullptr, nullptr, instance, nullptr);
}

void ShowLine(std::string_view utf8) {
    if (!lineList) return;
    std::wstring line = WideFromUtf8(utf8.substr(0, kMaxLineLength));
    SendMessageW(lineList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    LRESULT count = SendMessageW(lineList, LB_GETCOUNT, 0, 0);
    if (count > kMaxLines) {
        SendMessageW(lineList, LB_DELETESTRING, 0, 0);
        --count;
    }
    SendMessageW(lineList, LB_SETTOPINDEX, static_cast<WPARAM>(count - 1), 0);
}
