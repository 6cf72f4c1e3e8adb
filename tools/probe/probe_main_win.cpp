// probe.exe: a console tool with which end-to-end tests look at and drive the hub's
// windows (and the sibling programs' windows) from outside: one command per run, or
// one per input line with "serve" (a Wine process start costs more than most commands).
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string_view>

#include "net/text_convert.h"
#include "tools/probe/probe_commands_win.h"
#include "tools/probe/probe_text.h"

namespace {

constexpr char kHelp[] =
    R"(probe.exe <command> [arguments]   drives another process's windows from outside

Every result is one JSON object per line on stdout (UTF-8); "ok" tells success.
Exit code: 0 ok, 1 not found / timeout / send failed, 2 usage.
A watchdog ends any command still running at its deadline (a wait's or claim's own
time plus 5 s, a redraw's 30 s plus 100 ms per redraw, 30 s for the others) with
exit code 1 and {"ok":false,"error":"watchdog: ...","command":...,"deadline_ms":...}.

Targets:
  0x<hex>                       a window handle (as printed by list)
  <class>                       the top-level window of that class (FindWindowW)
  <class>/<child class>[#n]/... the n-th (from 0, default 0) descendant of that class,
                                in EnumChildWindows order, of the window before it
Texts are UTF-8 with the escapes \xNN (a byte), \\ \" \r \n \t \0 (a zero byte) and
\s (a space), as the development server's scenarios write them. Texts (arguments and
window texts) over 10000 UTF-8 bytes come out empty.
Numbers are decimal (with optional sign) or 0x hexadecimal.

Commands:
  list [<target> [<class>]]     every window (of that class) of the process owning the
                                target (default KXLobby0): top-level windows, each
                                followed by all its descendants. Fields: hwnd class top_level parent
                                parent_class (owner for top-level windows) id style
                                exstyle visible_style visible enabled topmost x y w h
                                (screen for top-level, parent client area for children)
                                sx sy (the top-left corner on the screen)
                                text. The system's IME windows are left out.
  wait <target> [<ms>]          until the target exists (default 10000 ms, polls 50 ms)
  wait-visible <target> [<ms>]  until it exists and IsWindowVisible
  wait-gone <target> [<ms>]     until it no longer exists
  post <target> <msg> <wparam> <lparam>   PostMessageW
  send <target> <msg> <wparam> <lparam>   SendMessageTimeoutW (5 s); prints "result"
                                <msg>: a number, TavloraIntMessage, WM_CLOSE, WM_COMMAND,
                                WM_LBUTTONDOWN, BM_CLICK, WM_USER+n, ... (WM_/BM_ names)
  copydata <target> <dwData> <text> [<cbData>]
                                WM_COPYDATA (wParam 0) with the text and its zero
                                terminator; cbData defaults to length + 1, a smaller one
                                cuts the text, a larger one pads with 'X'.
                                <dwData>: a number or TEST
  test-command <target> <command>
                                a sibling program's test command (dwData "TEST"):
                                relay <code> <payload> | notify <code> <lparam> |
                                raw <code> <bytes> | close
  click <target> [<x> <y>]      WM_LBUTTONDOWN then WM_LBUTTONUP (sent) at a client
                                point, default the centre of the client area
  settext <target> <text>       WM_SETTEXT
  gettext <target>              WM_GETTEXT; prints "text"
  key <target> <vk>             WM_KEYDOWN, WM_CHAR (keys that type), WM_KEYUP (sent);
                                <vk>: VK_RETURN, VK_TAB, VK_ESCAPE, ..., a letter or
                                digit, or a number
  focus [<target>]              focus, active and capture window of the target's thread
                                (default KXLobby0) and the foreground window
  move <target> <x> <y> [<w> <h>]
                                SetWindowPos to that place (parent client coordinates
                                for a child), keeping the size unless one is given
  show <target> <0|1>           hides (0) or shows (1, without activating) the window
  redraw <target> [<count> [<left> <top> <right> <bottom>]]
                                invalidates the window and all its children (or only
                                that rectangle of its client area) and has them painted
                                at once, <count> times (default 1); prints "ms" in all
                                and "ms_per_redraw"
  screen                        desktop size and work area (work_x work_y work_w work_h)
  pid <target>                  process and thread id of the target's window
  claim <class> <ms>            registers the class and holds a hidden top-level window of
                                it for <ms> (a window taking a sibling's name); prints
                                the window, then one line per WM_COPYDATA ("copydata",
                                "text") and TavloraIntMessage ("notify", "lparam") it gets
  post-codes <target> <first> <last> <seed>
                                posts TavloraIntMessage with every code from <first> to
                                <last>, each with a pseudo-random lParam from <seed>
  serve                         reads commands from stdin, one per line with its arguments
                                separated by tabs, and prints "#done <exit code>" after
                                each command's output; ends at the end of the input. The
                                watchdog ends the whole run. claim is not served.
  resources <target>            open handles (GetProcessHandleCount, or counted one by
                                one where that reads 0), working set and private bytes
                                of the target's process
)";

struct Command {
    std::string_view name;
    int (*run)(const ProbeArgs& args);
    std::size_t minArgs;
    std::size_t maxArgs;
};

constexpr Command kCommands[] = {
    {"list", ListCommand, 0, 2},
    {"wait", WaitCommand, 1, 2},
    {"wait-visible", WaitVisibleCommand, 1, 2},
    {"wait-gone", WaitGoneCommand, 1, 2},
    {"post", PostCommand, 4, 4},
    {"send", SendCommand, 4, 4},
    {"copydata", CopyDataCommand, 3, 4},
    {"test-command", TestCommandCommand, 2, 2},
    {"click", ClickCommand, 1, 3},
    {"settext", SetTextCommand, 2, 2},
    {"gettext", GetTextCommand, 1, 1},
    {"key", KeyCommand, 2, 2},
    {"focus", FocusCommand, 0, 1},
    {"move", MoveCommand, 3, 5},
    {"show", ShowCommand, 2, 2},
    {"redraw", RedrawCommand, 1, 6},
    {"screen", ScreenCommand, 0, 0},
    {"pid", PidCommand, 1, 1},
    {"claim", ClaimCommand, 2, 2},
    {"post-codes", PostCodesCommand, 4, 4},
    {"resources", ResourcesCommand, 1, 1},
};

constexpr std::int64_t kWatchdogMarginMs = 5000;
constexpr std::int64_t kWatchdogDefaultMs = 30000;
constexpr std::int64_t kWatchdogPerRedrawMs = 100;
constexpr std::int64_t kWatchdogLongestMs = 0x7FFFFFFF;
constexpr UINT kWatchdogExitCode = 1;

// The command's own time limit plus a margin, or a default for commands without one.
std::int64_t WatchdogMs(std::string_view name, const ProbeArgs& args) {
    auto argument = [&args](std::size_t index, std::int64_t fallback) {
        auto value = args.size() > index ? ParseNumber(args[index]) : std::nullopt;
        return value && *value >= 0 ? std::min(*value, kWatchdogLongestMs) : fallback;
    };
    std::int64_t ms = kWatchdogDefaultMs;
    if (name == "wait" || name == "wait-visible" || name == "wait-gone")
        ms = argument(1, kDefaultWaitMs) + kWatchdogMarginMs;
    else if (name == "claim")
        ms = argument(1, 0) + kWatchdogMarginMs;
    else if (name == "redraw")
        ms = kWatchdogDefaultMs + argument(1, 1) * kWatchdogPerRedrawMs;
    return std::min(ms, kWatchdogLongestMs);
}

// One watchdog for the whole run: each command sets its deadline (0 while none runs)
// and wakes the watchdog, which waits for the deadline or the next change.
struct Watchdog {
    std::string command;
    std::int64_t ms = 0;
    std::atomic<ULONGLONG> deadline{0};
    HANDLE changed = nullptr;
};
Watchdog watchdog;

// A call into a hung window or the window system can block past every limit the
// command keeps itself; this ends the probe instead, saying what it was doing.
DWORD WINAPI WatchdogThread(void*) {
    for (;;) {
        const ULONGLONG deadline = watchdog.deadline.load();
        const ULONGLONG now = GetTickCount64();
        const DWORD wait = deadline == 0     ? INFINITE
                           : deadline <= now ? 0
                                             : static_cast<DWORD>(deadline - now);
        if (WaitForSingleObject(watchdog.changed, wait) != WAIT_TIMEOUT) continue;
        if (deadline == 0 || watchdog.deadline.load() != deadline) continue;
        PrintLine(
            "{\"ok\":false,\"error\":\"watchdog: still running at the deadline\",\"command\":" +
            JsonString(watchdog.command) + ",\"deadline_ms\":" + std::to_string(watchdog.ms) + "}");
        TerminateProcess(GetCurrentProcess(), kWatchdogExitCode);
    }
}

void PrintHelp(HANDLE output) {
    DWORD written = 0;
    WriteFile(output, kHelp, sizeof(kHelp) - 1, &written, nullptr);
}

int RunCommand(const std::string& name, const ProbeArgs& args) {
    for (const Command& command : kCommands) {
        if (command.name != name) continue;
        if (args.size() < command.minArgs || args.size() > command.maxArgs) break;
        watchdog.command = name;
        watchdog.ms = WatchdogMs(name, args);
        watchdog.deadline = GetTickCount64() + static_cast<ULONGLONG>(watchdog.ms);
        SetEvent(watchdog.changed);
        const int code = command.run(args);
        watchdog.deadline = 0;
        return code;
    }
    PrintHelp(GetStdHandle(STD_ERROR_HANDLE));
    return kUsage;
}

// The next line of standard input without its line end; false at the end of the input.
bool ReadLine(std::string& pending, std::string& line) {
    std::size_t end;
    while ((end = pending.find('\n')) == std::string::npos) {
        char buffer[4096];
        DWORD read = 0;
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &read, nullptr) ||
            read == 0) {
            line = std::move(pending);
            pending.clear();
            return !line.empty();
        }
        pending.append(buffer, read);
    }
    line = pending.substr(0, end);
    pending.erase(0, end + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

int Serve() {
    std::string pending, line;
    while (ReadLine(pending, line)) {
        ProbeArgs words;
        for (std::size_t start = 0;;) {
            const std::size_t tab = line.find('\t', start);
            words.push_back(line.substr(start, tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        const std::string name = words.front();
        words.erase(words.begin());
        const int code = name == "claim" || name == "serve" ? kUsage : RunCommand(name, words);
        PrintLine("#done " + std::to_string(code));
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    SetConsoleOutputCP(CP_UTF8);
    if (argc < 2) {
        PrintHelp(GetStdHandle(STD_ERROR_HANDLE));
        return kUsage;
    }
    std::string name = Utf8FromWide(argv[1]);
    if (name == "--help" || name == "-h" || name == "help") {
        PrintHelp(GetStdHandle(STD_OUTPUT_HANDLE));
        return 0;
    }
    watchdog.changed = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr);
    if (thread) CloseHandle(thread);
    if (name == "serve" && argc == 2) return Serve();
    ProbeArgs args;
    for (int i = 2; i < argc; ++i)
        args.push_back(Utf8FromWide(argv[i]));
    return RunCommand(name, args);
}
