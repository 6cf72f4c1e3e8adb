// Window search and description: targets, the windows of one process, their state.
#include "tools/probe/probe_windows_win.h"

#include "net/text_convert.h"
#include "tools/probe/probe_text.h"

namespace {

constexpr UINT kTextTimeoutMs = 1000;

std::vector<HWND> DescendantsOf(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

std::string HandleText(HWND window) {
    return HexText(reinterpret_cast<std::uintptr_t>(window));
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::wstring ClassOf(HWND window) {
    if (!window) return {};
    wchar_t name[256];
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

HWND FindTarget(std::string_view target) {
    if (target.size() > 2 && target[0] == '0' && (target[1] == 'x' || target[1] == 'X')) {
        auto value = ParseNumber(target);
        if (!value) return nullptr;
        HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(*value));
        return IsWindow(window) ? window : nullptr;
    }
    auto path = ParseTargetPath(target);
    if (!path) return nullptr;
    HWND current = FindWindowW(WideFromUtf8(path->topClass).c_str(), nullptr);
    for (const TargetStep& step : path->steps) {
        if (!current) return nullptr;
        std::wstring wanted = WideFromUtf8(step.className);
        int seen = 0;
        HWND match = nullptr;
        for (HWND child : DescendantsOf(current)) {
            if (ClassOf(child) == wanted && seen++ == step.index) {
                match = child;
                break;
            }
        }
        current = match;
    }
    return current;
}

std::vector<HWND> WindowsOfProcess(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> topLevel;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            // The input-method windows the system gives every GUI thread are not the
            // program's own.
            std::wstring name = ClassOf(window);
            bool system = name == L"IME" || name == L"MSCTFIME UI";
            if (owner == s->processId && !system) s->topLevel.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    std::vector<HWND> all;
    for (HWND top : search.topLevel) {
        all.push_back(top);
        for (HWND child : DescendantsOf(top))
            all.push_back(child);
    }
    return all;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs,
                            &length)) {
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutW(window, WM_GETTEXT, text.size(),
                                reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                                kTextTimeoutMs, &copied)) {
            text.resize(copied < text.size() ? static_cast<std::size_t>(copied) : 0);
            return text;
        }
    }
    wchar_t buffer[1024];
    int copied = InternalGetWindowText(window, buffer, 1024);
    return std::wstring(buffer, copied > 0 ? static_cast<std::size_t>(copied) : 0);
}

std::string DescribeWindow(HWND window) {
    LONG style = GetWindowLongW(window, GWL_STYLE);
    LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    bool isChild = (style & WS_CHILD) != 0;
    HWND parent = isChild ? GetParent(window) : GetWindow(window, GW_OWNER);
    RECT rect{};
    GetWindowRect(window, &rect);
    const RECT screen = rect;
    if (isChild && parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);

    std::string json = "{\"hwnd\":\"" + HandleText(window) + "\"";
    json += ",\"class\":" + JsonString(Utf8FromWide(ClassOf(window)));
    json += ",\"top_level\":" + std::string(Bool(!isChild));
    json += ",\"parent\":\"" + HandleText(parent) + "\"";
    json += ",\"parent_class\":" + JsonString(Utf8FromWide(ClassOf(parent)));
    json += ",\"id\":" + std::to_string(isChild ? GetDlgCtrlID(window) : 0);
    json += ",\"style\":\"" + HexText(static_cast<DWORD>(style), 8) + "\"";
    json += ",\"exstyle\":\"" + HexText(static_cast<DWORD>(exStyle), 8) + "\"";
    json += ",\"visible_style\":" + std::string(Bool((style & WS_VISIBLE) != 0));
    json += ",\"visible\":" + std::string(Bool(IsWindowVisible(window)));
    json += ",\"enabled\":" + std::string(Bool(IsWindowEnabled(window)));
    json += ",\"topmost\":" + std::string(Bool((exStyle & WS_EX_TOPMOST) != 0));
    json += ",\"x\":" + std::to_string(rect.left) + ",\"y\":" + std::to_string(rect.top);
    json += ",\"w\":" + std::to_string(rect.right - rect.left);
    json += ",\"h\":" + std::to_string(rect.bottom - rect.top);
    // Where the window is on the screen, for pointer input.
    json += ",\"sx\":" + std::to_string(screen.left) + ",\"sy\":" + std::to_string(screen.top);
    json += ",\"text\":" + JsonString(Utf8FromWide(TextOf(window))) + "}";
    return json;
}
