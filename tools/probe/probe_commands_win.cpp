// The probe's commands: look at, wait for and drive another process's windows.
#include "tools/probe/probe_commands_win.h"

#include <windows.h>

#include "net/escaped_bytes.h"
#include "net/names.h"
#include "net/text_convert.h"
#include "tools/probe/probe_names_win.h"
#include "tools/probe/probe_text.h"
#include "tools/probe/probe_windows_win.h"

namespace {

constexpr UINT kSendTimeoutMs = 5000;
constexpr DWORD kPollMs = 50;
// dwData of a test command to a sibling program: "TEST" in ASCII.
constexpr ULONG_PTR kTestCommandCode = 0x54455354;

std::string HandleField(HWND window) {
    return "\"hwnd\":\"" + HexText(reinterpret_cast<std::uintptr_t>(window)) +
           "\",\"class\":" + JsonString(Utf8FromWide(ClassOf(window)));
}

int Fail(const std::string& error, const std::string& target) {
    PrintLine("{\"ok\":false,\"error\":" + JsonString(error) + ",\"target\":" + JsonString(target) +
              "}");
    return kFailed;
}

int Usage(const std::string& error) {
    PrintLine("{\"ok\":false,\"error\":" + JsonString(error) + "}");
    return kUsage;
}

// The last argument, when it is number `index`, read as a number from `lowest` to
// `highest`; `number` keeps its default when there is no such argument. False for a bad one.
bool LastNumberArgument(const ProbeArgs& args, std::size_t index, std::int64_t lowest,
                        std::int64_t highest, std::int64_t& number) {
    if (args.size() != index + 1) return true;
    const auto value = ParseNumber(args[index]);
    if (!value || *value < lowest || *value > highest) return false;
    number = *value;
    return true;
}

int Succeed(HWND window, const std::string& extra = {}) {
    PrintLine("{\"ok\":true," + HandleField(window) + extra + "}");
    return kOk;
}

// Resolves args[0]; prints the failure itself when there is no such window.
HWND TargetOrFail(const ProbeArgs& args) {
    HWND window = FindTarget(args[0]);
    if (!window) Fail("not found", args[0]);
    return window;
}

std::optional<std::int64_t> TimeoutArgument(const ProbeArgs& args, std::size_t index) {
    if (args.size() <= index) return kDefaultWaitMs;
    auto value = ParseNumber(args[index]);
    if (!value || *value < 0) return std::nullopt;
    return value;
}

// Polls until `done(window)` holds for the target (window may be nullptr).
template <class Done>
int WaitFor(const ProbeArgs& args, Done done, const char* what) {
    auto timeout = TimeoutArgument(args, 1);
    if (!timeout) return Usage("bad timeout");
    ULONGLONG start = GetTickCount64();
    while (true) {
        HWND window = FindTarget(args[0]);
        if (done(window)) {
            std::string waited = ",\"waited_ms\":" + std::to_string(GetTickCount64() - start);
            if (!window) {
                PrintLine("{\"ok\":true,\"target\":" + JsonString(args[0]) + waited + "}");
                return kOk;
            }
            return Succeed(window, waited);
        }
        if (GetTickCount64() - start >= static_cast<ULONGLONG>(*timeout)) break;
        Sleep(kPollMs);
    }
    return Fail(std::string("timeout waiting for ") + what, args[0]);
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
    return SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                               result) != 0;
}

int SendCopyData(HWND window, ULONG_PTR code, std::string bytes, std::int64_t byteCount) {
    // The text keeps its zero terminator; a count beyond it is filled with 'X' so a
    // reader that trusts the count instead of the terminator shows itself.
    bytes += '\0';
    if (byteCount > static_cast<std::int64_t>(bytes.size()))
        bytes.resize(static_cast<std::size_t>(byteCount), 'X');
    COPYDATASTRUCT data{};
    data.dwData = code;
    data.cbData = static_cast<DWORD>(byteCount);
    data.lpData = bytes.data();
    DWORD_PTR result = 0;
    if (!Send(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), &result))
        return Fail("send failed or timed out", Utf8FromWide(ClassOf(window)));
    return Succeed(window, ",\"result\":" + std::to_string(static_cast<INT_PTR>(result)));
}

int MessageCommand(const ProbeArgs& args, bool synchronous) {
    if (args.size() != 4) return Usage("expected <target> <message> <wparam> <lparam>");
    auto message = MessageFromName(args[1]);
    auto wParam = ParseNumber(args[2]);
    auto lParam = ParseNumber(args[3]);
    if (!message || !wParam || !lParam) return Usage("bad message, wparam or lparam");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    WPARAM w = static_cast<WPARAM>(*wParam);
    LPARAM l = static_cast<LPARAM>(*lParam);
    if (!synchronous) {
        if (!PostMessageW(window, *message, w, l)) return Fail("post failed", args[0]);
        return Succeed(window);
    }
    DWORD_PTR result = 0;
    if (!Send(window, *message, w, l, &result)) return Fail("send failed or timed out", args[0]);
    return Succeed(window, ",\"result\":" + std::to_string(static_cast<INT_PTR>(result)));
}

}  // namespace

void PrintLine(const std::string& line) {
    std::string bytes = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

int ListCommand(const ProbeArgs& args) {
    std::string target = args.empty() ? "KXLobby0" : args[0];
    HWND anchor = FindTarget(target);
    if (!anchor) return Fail("not found", target);
    DWORD processId = 0;
    GetWindowThreadProcessId(anchor, &processId);
    // Describing a window asks its thread for the text; a class filter spares the others.
    const std::wstring only = args.size() > 1 ? WideFromUtf8(args[1]) : std::wstring();
    for (HWND window : WindowsOfProcess(processId))
        if (only.empty() || ClassOf(window) == only) PrintLine(DescribeWindow(window));
    return kOk;
}

int WaitCommand(const ProbeArgs& args) {
    return WaitFor(
        args, [](HWND window) { return window != nullptr; }, "window");
}

int WaitVisibleCommand(const ProbeArgs& args) {
    return WaitFor(
        args, [](HWND window) { return window && IsWindowVisible(window); }, "visible window");
}

int WaitGoneCommand(const ProbeArgs& args) {
    return WaitFor(
        args, [](HWND window) { return window == nullptr; }, "window to go");
}

int PostCommand(const ProbeArgs& args) {
    return MessageCommand(args, false);
}
int SendCommand(const ProbeArgs& args) {
    return MessageCommand(args, true);
}

int CopyDataCommand(const ProbeArgs& args) {
    if (args.size() != 3 && args.size() != 4)
        return Usage("expected <target> <dwData> <text> [<cbData>]");
    auto code =
        args[1] == "TEST" ? std::optional<std::int64_t>(kTestCommandCode) : ParseNumber(args[1]);
    std::string text, error;
    if (!code) return Usage("bad dwData");
    if (!DecodeEscapes(args[2], text, error)) return Usage(error);
    std::int64_t byteCount = static_cast<std::int64_t>(text.size()) + 1;
    if (!LastNumberArgument(args, 3, 0, 0x1000000, byteCount)) return Usage("bad cbData");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    return SendCopyData(window, static_cast<ULONG_PTR>(*code), text, byteCount);
}

// The copy-data command with the test-command code and the text's own size.
int TestCommandCommand(const ProbeArgs& args) {
    if (args.size() != 2) return Usage("expected <target> <command>");
    return CopyDataCommand({args[0], "TEST", args[1]});
}

int ClickCommand(const ProbeArgs& args) {
    if (args.size() != 1 && args.size() != 3) return Usage("expected <target> [<x> <y>]");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    RECT client{};
    GetClientRect(window, &client);
    std::int64_t x = client.right / 2, y = client.bottom / 2;
    if (args.size() == 3) {
        auto px = ParseNumber(args[1]), py = ParseNumber(args[2]);
        if (!px || !py) return Usage("bad point");
        x = *px;
        y = *py;
    }
    // The real pointer goes to the click first: Wine tells a window that holds the capture
    // where the pointer is whenever windows change under it, and a pointer left elsewhere
    // would take the press off the control between its button-down and button-up.
    POINT screen{static_cast<LONG>(x), static_cast<LONG>(y)};
    ClientToScreen(window, &screen);
    SetCursorPos(screen.x, screen.y);
    LPARAM point = MAKELPARAM(static_cast<int>(x), static_cast<int>(y));
    DWORD_PTR result = 0;
    if (!Send(window, WM_LBUTTONDOWN, MK_LBUTTON, point, &result) ||
        !Send(window, WM_LBUTTONUP, 0, point, &result))
        return Fail("send failed or timed out", args[0]);
    return Succeed(window, ",\"x\":" + std::to_string(x) + ",\"y\":" + std::to_string(y));
}

int SetTextCommand(const ProbeArgs& args) {
    if (args.size() != 2) return Usage("expected <target> <text>");
    std::string text, error;
    if (!DecodeEscapes(args[1], text, error)) return Usage(error);
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    std::wstring wide = WideFromUtf8(text);
    DWORD_PTR result = 0;
    if (!Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), &result))
        return Fail("send failed or timed out", args[0]);
    return Succeed(window);
}

int GetTextCommand(const ProbeArgs& args) {
    if (args.size() != 1) return Usage("expected <target>");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    return Succeed(window, ",\"text\":" + JsonString(Utf8FromWide(TextOf(window))));
}

int KeyCommand(const ProbeArgs& args) {
    if (args.size() != 2) return Usage("expected <target> <virtual key>");
    auto key = VirtualKeyFromName(args[1]);
    if (!key) return Usage("bad virtual key");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(*key, MAPVK_VK_TO_VSC)) << 16;
    LPARAM down = 1 | scan;
    LPARAM up = down | (1LL << 30) | (1LL << 31);
    wchar_t character = CharacterOfKey(*key);
    DWORD_PTR result = 0;
    bool sent = Send(window, WM_KEYDOWN, *key, down, &result) &&
                (character == 0 || Send(window, WM_CHAR, character, down, &result)) &&
                Send(window, WM_KEYUP, *key, up, &result);
    if (!sent) return Fail("send failed or timed out", args[0]);
    return Succeed(window, ",\"vk\":" + std::to_string(*key));
}

int FocusCommand(const ProbeArgs& args) {
    if (args.size() > 1) return Usage("expected [<target>]");
    std::string target = args.empty() ? "KXLobby0" : args[0];
    HWND window = FindTarget(target);
    if (!window) return Fail("not found", target);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return Fail("no thread information", target);
    HWND foreground = GetForegroundWindow();
    auto field = [](const char* name, HWND h) {
        return std::string(",\"") + name + "\":\"" + HexText(reinterpret_cast<std::uintptr_t>(h)) +
               "\",\"" + name + "_class\":" + JsonString(Utf8FromWide(ClassOf(h)));
    };
    PrintLine("{\"ok\":true" + field("focus", info.hwndFocus) + field("active", info.hwndActive) +
              field("capture", info.hwndCapture) + field("foreground", foreground) + "}");
    return kOk;
}

int MoveCommand(const ProbeArgs& args) {
    if (args.size() != 3 && args.size() != 5) return Usage("expected <target> <x> <y> [<w> <h>]");
    std::int64_t place[4] = {0, 0, 0, 0};
    for (std::size_t i = 1; i < args.size(); ++i) {
        auto value = ParseNumber(args[i]);
        if (!value) return Usage("bad place");
        place[i - 1] = *value;
    }
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (args.size() == 3 ? SWP_NOSIZE : 0);
    if (!SetWindowPos(window, nullptr, static_cast<int>(place[0]), static_cast<int>(place[1]),
                      static_cast<int>(place[2]), static_cast<int>(place[3]), flags))
        return Fail("move failed", args[0]);
    return Succeed(window);
}

int ShowCommand(const ProbeArgs& args) {
    if (args.size() != 2 || (args[1] != "0" && args[1] != "1"))
        return Usage("expected <target> <0|1>");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    ShowWindow(window, args[1] == "1" ? SW_SHOWNA : SW_HIDE);
    return Succeed(window);
}

int RedrawCommand(const ProbeArgs& args) {
    if (args.size() != 1 && args.size() != 2 && args.size() != 6)
        return Usage("expected <target> [<count> [<left> <top> <right> <bottom>]]");
    std::int64_t count = 1;
    if (args.size() > 1 && !LastNumberArgument({args[0], args[1]}, 1, 1, 1000000, count))
        return Usage("bad count");
    // A part of the client area only, as a window invalidates one row of a list.
    RECT part{};
    LONG* edges[] = {&part.left, &part.top, &part.right, &part.bottom};
    for (std::size_t i = 2; i < args.size(); ++i) {
        const auto edge = ParseNumber(args[i]);
        if (!edge || *edge < 0 || *edge > 0x7FFF) return Usage("bad rectangle");
        *edges[i - 2] = static_cast<LONG>(*edge);
    }
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    // RDW_UPDATENOW has the window's own thread paint each window before the call returns.
    for (std::int64_t i = 0; i < count; ++i)
        RedrawWindow(window, args.size() == 6 ? &part : nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    QueryPerformanceCounter(&end);
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
    return Succeed(window,
                   ",\"count\":" + std::to_string(count) + ",\"ms\":" + std::to_string(ms) +
                       ",\"ms_per_redraw\":" + std::to_string(ms / static_cast<double>(count)));
}

int ScreenCommand(const ProbeArgs& args) {
    if (!args.empty()) return Usage("screen takes no arguments");
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    PrintLine("{\"ok\":true,\"width\":" + std::to_string(GetSystemMetrics(SM_CXSCREEN)) +
              ",\"height\":" + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + ",\"work_x\":" +
              std::to_string(work.left) + ",\"work_y\":" + std::to_string(work.top) +
              ",\"work_w\":" + std::to_string(work.right - work.left) +
              ",\"work_h\":" + std::to_string(work.bottom - work.top) + "}");
    return kOk;
}

int PidCommand(const ProbeArgs& args) {
    if (args.size() != 1) return Usage("expected <target>");
    HWND window = TargetOrFail(args);
    if (!window) return kFailed;
    DWORD processId = 0;
    DWORD threadId = GetWindowThreadProcessId(window, &processId);
    return Succeed(
        window, ",\"pid\":" + std::to_string(processId) + ",\"tid\":" + std::to_string(threadId));
}
