// The sibling window: what it holds in a read-only text box, a plain list box of
// lines below it and, for rooms, tables and conversations, a chat line with a Send
// button; a join window has Accept and Decline buttons instead.
#include "siblings/sibling_window_win.h"

#include "net/text_convert.h"
#include "siblings/sibling_hub_win.h"
#include "siblings/sibling_log_win.h"
#include "siblings/sibling_main_win.h"
#include "siblings/sibling_messages_win.h"
#include "siblings/sibling_text.h"

namespace {

constexpr int kWidth = 560;
constexpr int kHeight = 460;
constexpr int kChatHeight = 24;
constexpr int kSendWidth = 70;
// Old lines go once the list is this long: a chatty hub must not slow the window down.
constexpr LRESULT kMaxLines = 2000;
constexpr std::size_t kMaxLineLength = 1000;
constexpr int kSendButtonId = 2;
constexpr int kAcceptButtonId = 3;
constexpr int kDeclineButtonId = 4;
// The answers a join window sends: what the development server takes as accepted, and not.
constexpr int kAccepted = 1;
constexpr int kDeclined = 0;

HWND heldText = nullptr;
HWND lineList = nullptr;
HWND chatEdit = nullptr;
HWND sendButton = nullptr;
HWND acceptButton = nullptr;
HWND declineButton = nullptr;

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style,
           DWORD exStyle = 0, int id = 0) {
    HWND child = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0,
                                 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 nullptr, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    return child;
}

void CreateChildren(HWND window) {
    heldText = Child(window, L"EDIT", L"",
                     ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL,
                     WS_EX_CLIENTEDGE);
    lineList = Child(window, L"LISTBOX", nullptr,
                     WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOSEL, WS_EX_CLIENTEDGE);
    if (siblingKind == SiblingKind::Room || siblingKind == SiblingKind::Board ||
        siblingKind == SiblingKind::Chat) {
        chatEdit = Child(window, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
        sendButton =
            Child(window, L"BUTTON", L"Send", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kSendButtonId);
    }
    if (siblingKind == SiblingKind::Join) {
        acceptButton = Child(window, L"BUTTON", L"Accept", WS_TABSTOP, 0, kAcceptButtonId);
        declineButton = Child(window, L"BUTTON", L"Decline", WS_TABSTOP, 0, kDeclineButtonId);
    }
}

void Layout(int width, int height) {
    int chat = chatEdit || acceptButton ? kChatHeight : 0;
    int held = (height - chat) * 11 / 20;
    MoveWindow(heldText, 0, 0, width, held, TRUE);
    MoveWindow(lineList, 0, held, width, height - chat - held, TRUE);
    if (chatEdit) {
        MoveWindow(chatEdit, 0, height - chat, width - kSendWidth, chat, TRUE);
        MoveWindow(sendButton, width - kSendWidth, height - chat, kSendWidth, chat, TRUE);
    }
    if (acceptButton) {
        MoveWindow(acceptButton, 0, height - chat, width / 2, chat, TRUE);
        MoveWindow(declineButton, width / 2, height - chat, width - width / 2, chat, TRUE);
    }
}

void SendTypedLine(HWND window) {
    int length = GetWindowTextLengthW(chatEdit);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    GetWindowTextW(chatEdit, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    if (text.empty()) return;
    WriteLogLine("typed " + EscapeControls(Utf8FromWide(text)));
    SendChatLine(window, Utf8FromWide(text));
    SetWindowTextW(chatEdit, L"");
}

LRESULT CALLBACK SiblingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            CreateChildren(window);
            return 0;
        case WM_SIZE:
            Layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return 0;
            if (LOWORD(wParam) == kSendButtonId && chatEdit) SendTypedLine(window);
            if (LOWORD(wParam) == kAcceptButtonId) SendJoinAnswer(window, kAccepted);
            if (LOWORD(wParam) == kDeclineButtonId) SendJoinAnswer(window, kDeclined);
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

void ShowHeld(const std::vector<std::string>& lines) {
    if (!heldText) return;
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += "\r\n";
        text += ReadableText(line.substr(0, kMaxLineLength));
    }
    SetWindowTextW(heldText, WideFromUtf8(text).c_str());
}
