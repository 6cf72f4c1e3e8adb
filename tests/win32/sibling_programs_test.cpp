// The development sibling programs run as real processes: what they show of their
// command line, what they tell the hub when they close, and what they log.
#include <gtest/gtest.h>

#include <algorithm>

#include "net/names.h"
#include "tests/win32/sibling_harness.h"

namespace {

const UINT hubMessage = RegisterWindowMessageW(kRegisteredMessageName);

constexpr wchar_t kRoomLine[] =
    L" ,?,73,2,1,0,1,0,555,12,North, East,1,130,140,0,QzpcY2ZnXGNvbmZpZy5kYXQ=,";
constexpr char kRoomLineLogged[] =
    "RoomView 12 cmdline  ,?,73,2,1,0,1,0,555,12,North, East,1,130,140,0,"
    "QzpcY2ZnXGNvbmZpZy5kYXQ=,";
constexpr wchar_t kBoardLine[] =
    L" ,?,73,2,1,555,12,0,7,1,3,5,0,1,2,3,4,1,0,0,1,1,1,2,RDpcZ2FtZXM=,"
    L"QzpcY2ZnXGNvbmZpZy5kYXQ=,";
// Player B's name arrives as its UTF-8 bytes widened one to one ("Zoë").
constexpr wchar_t kJoinLine[] = L" ,?,73,2,1,1,12,0,9,7,555,Ann, Jr,556,Zo\u00c3\u00ab,1,3,5,7,1";
constexpr wchar_t kChatLine[] = L" ,?,73,1,1,1,0,1,Anna,hello, there,";

// The bytes of a literal with its zero terminator, as a relay text is sent.
template <std::size_t N>
std::string WithZero(const char (&text)[N]) {
    return std::string(text, N);
}

// Synchronous, as the hub sends code 1 to join windows. (A window that closes on a
// posted message takes seconds longer under Wine without a window manager.)
void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 10000, &result);
}

HWND WaitForWindow(const wchar_t* className) {
    HWND window = nullptr;
    PumpUntil([&] { return (window = FindWindowW(className, nullptr)) != nullptr; });
    return window;
}

std::string WindowTitle(HWND window) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    std::string narrow;
    for (wchar_t* c = title; *c; ++c)
        narrow += static_cast<char>(*c < 0x80 ? *c : '?');
    return narrow;
}

TEST(SiblingPrograms, ShowTheirFieldsWithCommasKeptInTexts) {
    struct Case {
        const wchar_t* program;
        const wchar_t* parameters;
        const wchar_t* className;
        const char* title;  // non-ASCII letters as '?'
        std::vector<std::string> lines;
    } cases[] = {
        {L"RoomView.exe",
         kRoomLine,
         L"KXLobby12",
         "Room 12 - North, East",
         {"room id 12", "room name North, East", "money kind 1", "window x 130", "window y 140",
          "room state 0", "config.dat path C:\\cfg\\config.dat"}},
        {L"BoardView.exe",
         kBoardLine,
         L"KXTable7",
         "Table 7 - room 12",
         {"table id 7", "table value 2 3", "animatespeed 2", "saved games folder D:\\games",
          "config.dat path C:\\cfg\\config.dat"}},
        {L"JoinView.exe",
         kJoinLine,
         L"KXLaunch9",
         "Join 9 - Ann, Jr / Zo?",
         {"join id 9", "player A name Ann, Jr", "player B id 556", "player B name Zo\xC3\xAB",
          "A is own player 1", "room kind 1"}},
        {L"ChatView.exe",
         kChatLine,
         L"KXChat",
         "Chat - Anna",
         {"is contact 1", "partner name Anna", "message hello, there"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        std::wstring log = NewLogPath();
        HANDLE process = StartProgram(c.program, c.parameters, log);
        ASSERT_NE(process, nullptr);
        HWND window = WaitForWindow(c.className);
        ASSERT_NE(window, nullptr);
        // The window exists before its lines are filled in; idle means they are.
        WaitForInputIdle(process, 10000);
        EXPECT_EQ(WindowTitle(window), c.title);
        std::vector<std::string> shown =
            ListBoxLines(FindWindowExW(window, nullptr, L"ListBox", nullptr));
        for (const std::string& line : c.lines)
            EXPECT_TRUE(std::find(shown.begin(), shown.end(), line) != shown.end())
                << "no line \"" << line << "\"";
        SendAndWait(window, hubMessage, 1, 0);
        EXPECT_EQ(WaitForExit(process), 0);
        DeleteFileW(log.c_str());
    }
}

TEST(SiblingPrograms, TellTheHubWhenTheUserClosesThem) {
    struct Case {
        const char* note;
        const wchar_t* program;
        const wchar_t* parameters;
        const wchar_t* className;
        bool byUser;  // WM_CLOSE; otherwise the hub's code 1
        std::vector<HubReceipt> expected;
    } cases[] = {
        {"room",
         L"RoomView.exe",
         kRoomLine,
         L"KXLobby12",
         true,
         {{WM_COPYDATA, 38, 0, WithZero("KXMessage,12,130,140")}}},
        {"room closed by the hub", L"RoomView.exe", kRoomLine, L"KXLobby12", false, {}},
        {"table", L"BoardView.exe", kBoardLine, L"KXTable7", true, {{hubMessage, 36, 7, ""}}},
        {"table closed by the hub", L"BoardView.exe", kBoardLine, L"KXTable7", false, {}},
        {"join", L"JoinView.exe", kJoinLine, L"KXLaunch9", true, {}},
        {"chat", L"ChatView.exe", kChatLine, L"KXChat", true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        StandInHub hub;
        std::wstring log = NewLogPath();
        HANDLE process = StartProgram(c.program, c.parameters, log);
        HWND window = WaitForWindow(c.className);
        ASSERT_NE(window, nullptr);
        SendAndWait(window, c.byUser ? WM_CLOSE : hubMessage, c.byUser ? 0 : 1, 0);
        EXPECT_EQ(WaitForExit(process), 0);
        PumpUntil([&] { return hub.receipts.size() >= c.expected.size(); }, 2000);
        EXPECT_EQ(hub.receipts, c.expected);
        DeleteFileW(log.c_str());
    }
}

// Sends a WM_COPYDATA of exactly these bytes to the window.
void SendBytes(HWND window, ULONG_PTR code, const std::string& bytes) {
    COPYDATASTRUCT data{code, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, 10000,
                        &result);
}

TEST(SiblingPrograms, LogEachMessageOnOneLineAndObeyTestCommands) {
    StandInHub hub;
    std::wstring log = NewLogPath();
    HANDLE process = StartProgram(L"RoomView.exe", kRoomLine, log);
    HWND window = WaitForWindow(L"KXLobby12");
    ASSERT_NE(window, nullptr);

    constexpr ULONG_PTR kTest = 0x54455354;
    SendBytes(window, 21, WithZero("KXMessage,5:Zo\xC3\xAB:1500:3;\x01\\\n"));
    SendBytes(window, 31, "ab");                // no terminator
    SendBytes(window, 32, WithZero("ab\0cd"));  // a count past the terminator
    SendMessageW(window, hubMessage, 10, -1);
    SendBytes(window, kTest, WithZero("relay 100 32,5,!"));
    SendBytes(window, kTest, WithZero("notify 31 7"));
    SendBytes(window, kTest, WithZero("raw 5 x\0y"));  // raw bytes may hold zeros
    SendBytes(window, kTest, WithZero("jump"));
    PumpUntil([&] { return hub.receipts.size() >= 3; }, 2000);
    SendAndWait(window, hubMessage, 1, 0);
    EXPECT_EQ(WaitForExit(process), 0);

    std::vector<std::string> expected = {
        kRoomLineLogged,
        "RoomView 12 window KXLobby12",
        "RoomView 12 copydata 21 KXMessage,5:Zo\\xC3\\xAB:1500:3;\\x01\\x5C\\x0A",
        "RoomView 12 copydata-unterminated 31 ab",
        "RoomView 12 copydata-unterminated 32 ab\\x00cd\\x00",
        "RoomView 12 notify 10 -1",
        "RoomView 12 test relay 100 32,5,!",
        "RoomView 12 out-copydata ok 100 KXMessage,32,5,!",
        "RoomView 12 test notify 31 7",
        "RoomView 12 out-notify ok 31 7",
        "RoomView 12 test raw 5 x\\x00y",
        "RoomView 12 out-copydata ok 5 x\\x00y",
        "RoomView 12 test jump",
        "RoomView 12 error unknown test command",
        "RoomView 12 notify 1 0",
        "RoomView 12 exit 0",
    };
    EXPECT_EQ(ReadLines(log), expected);
    std::vector<HubReceipt> receipts = {
        {WM_COPYDATA, 100, 0, WithZero("KXMessage,32,5,!")},
        {WM_COPYDATA, 5, 0, WithZero("x\0y")},
        {hubMessage, 31, 7, ""},
    };
    EXPECT_EQ(hub.receipts, receipts);
    DeleteFileW(log.c_str());
}

// Ends a program that a failed assertion left running, so the next test does not find
// its window.
struct EndsOnExit {
    explicit EndsOnExit(HANDLE process) {
        DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    }
    ~EndsOnExit() {
        if (!copy) return;
        if (WaitForSingleObject(copy, 0) == WAIT_TIMEOUT) {
            TerminateProcess(copy, 99);
            WaitForSingleObject(copy, 5000);
        }
        CloseHandle(copy);
    }
    HANDLE copy = nullptr;
};

// The window of a started program once its children exist (it is idle then).
HWND WaitForReadyWindow(HANDLE process, const wchar_t* className) {
    HWND window = WaitForWindow(className);
    WaitForInputIdle(process, 10000);
    return window;
}

HWND HeldText(HWND window) {
    return FindWindowExW(window, nullptr, L"Edit", nullptr);
}

bool Shows(HWND window, const std::string& line) {
    return TextOf(HeldText(window)).find(line) != std::string::npos;
}

TEST(SiblingPrograms, ShowWhatTheRelayTellsThem) {
    std::wstring log = NewLogPath();
    HANDLE process = StartProgram(L"RoomView.exe", kRoomLine, log);
    EndsOnExit ends(process);
    HWND window = WaitForReadyWindow(process, L"KXLobby12");
    ASSERT_NE(window, nullptr);
    // What the hub replays to a new room window, then later changes.
    SendBytes(window, 21, WithZero("KXMessage,2001:Anna:1600:3;2002:Zo\xC3\xAB:1700:4;"));
    SendBytes(window, 51, WithZero("KXMessage,101:2001:0;"));
    SendBytes(window, 32, WithZero("KXMessage,7001:2001;7002:2002;"));
    SendBytes(window, 71, WithZero("KXMessage,5001:1:5:500:2001:2002:30:0:0:0:0:0:0:0:0:0:0;"));
    SendBytes(window, 72, WithZero("KXMessage,9001:5001:2001;9002:5001:2002;"));
    for (const char* line :
         {"Room 12: North, East, state 0", "Players online: 2, contacts: 1 (1 friends, 0 ignored)",
          "In the room (2):\r\n  Anna, away\r\n  Zo\xC3\xAB, online",
          "  5001: Anna - Zo\xC3\xAB, playing, 5 points, stake 500\r\n    seats: Anna, Zo\xC3\xAB"})
        EXPECT_TRUE(Shows(window, line)) << line << " in\n" << TextOf(HeldText(window));

    SendBytes(window, 31, WithZero("KXMessage,South,2"));
    SendBytes(window, 38, WithZero("KXMessage,7002"));
    SendBytes(window, 120, WithZero("KXMessage,2001:Z3LDvMOf"));
    EXPECT_EQ(WindowTitle(window), "Room 12 - South");
    for (const char* line : {"Room 12: South, state 2", "In the room (1):", "    seats: Anna\r\n",
                             "Chat:\r\n  Anna: gr\xC3\xBC\xC3\x9F"})
        EXPECT_TRUE(Shows(window, line)) << line << " in\n" << TextOf(HeldText(window));
    // Without the prefix a text is only logged.
    SendBytes(window, 73, WithZero("5001"));
    EXPECT_TRUE(Shows(window, "Tables (1)"));

    SendAndWait(window, hubMessage, 1, 0);
    EXPECT_EQ(WaitForExit(process), 0);
    DeleteFileW(log.c_str());
}

TEST(SiblingPrograms, SendTheChatLinesTypedInThem) {
    struct Case {
        const wchar_t* program;
        const wchar_t* parameters;
        const wchar_t* className;
        const char* prefix;  // of the forwarded client message
    } cases[] = {
        {L"RoomView.exe", kRoomLine, L"KXLobby12", "KXMessage,120,12,"},
        {L"BoardView.exe", kBoardLine, L"KXTable7", "KXMessage,121,7,"},
    };
    constexpr ULONG_PTR kTest = 0x54455354;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.prefix);
        StandInHub hub;
        std::wstring log = NewLogPath();
        HANDLE process = StartProgram(c.program, c.parameters, log);
        EndsOnExit ends(process);
        HWND window = WaitForReadyWindow(process, c.className);
        ASSERT_NE(window, nullptr);
        HWND chat = FindWindowExW(window, HeldText(window), L"Edit", nullptr);
        HWND send = FindWindowExW(window, nullptr, L"Button", nullptr);
        ASSERT_NE(chat, nullptr);
        ASSERT_NE(send, nullptr);
        SendMessageW(chat, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"gr\u00fc\u00df, all"));
        SendAndWait(send, BM_CLICK, 0, 0);
        SendBytes(window, kTest, WithZero("chat gg"));
        PumpUntil([&] { return hub.receipts.size() >= 2; }, 5000);
        std::vector<HubReceipt> expected = {
            {WM_COPYDATA, 100, 0, std::string(c.prefix) + "Z3LDvMOfLCBhbGw=,!" + '\0'},
            {WM_COPYDATA, 100, 0, std::string(c.prefix) + "Z2c=,!" + '\0'},
        };
        EXPECT_EQ(hub.receipts, expected);
        EXPECT_EQ(TextOf(chat), "") << "the line is emptied once sent";
        SendAndWait(window, hubMessage, 1, 0);
        EXPECT_EQ(WaitForExit(process), 0);
        DeleteFileW(log.c_str());
    }
}

TEST(SiblingPrograms, NeverIdleModeAnswersWithoutEverBeingIdle) {
    std::wstring log = LogPathInNewFolder();
    std::wstring modes = log.substr(0, log.find_last_of(L'\\') + 1) + L"sibling-modes.txt";
    WriteFileBytes(modes, "# test\nRoomView 12 never-idle\n");
    HANDLE process = StartProgram(L"RoomView.exe", kRoomLine, log);
    EndsOnExit ends(process);
    HWND window = WaitForWindow(L"KXLobby12");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WaitForInputIdle(process, 1500), static_cast<DWORD>(WAIT_TIMEOUT));
    SendBytes(window, 21, WithZero("KXMessage,2001:Anna:1600:3;"));
    EXPECT_TRUE(Shows(window, "Players online: 1"));
    SendAndWait(window, hubMessage, 1, 0);
    EXPECT_EQ(WaitForExit(process), 0);
    std::vector<std::string> lines = ReadLines(log);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "RoomView 12 mode never-idle");

    // Another room of the same program behaves as usual.
    HANDLE other =
        StartProgram(L"RoomView.exe",
                     L" ,?,73,2,1,0,1,0,555,13,West,1,130,140,0,QzpcY2ZnXGNvbmZpZy5kYXQ=,", log);
    ASSERT_NE(WaitForWindow(L"KXLobby13"), nullptr);
    EXPECT_EQ(WaitForInputIdle(other, 10000), 0u);
    SendAndWait(FindWindowW(L"KXLobby13", nullptr), hubMessage, 1, 0);
    EXPECT_EQ(WaitForExit(other), 0);
    DeleteFileW(modes.c_str());
    DeleteFileW(log.c_str());
}

TEST(SiblingPrograms, HungModeStopsAtTheHubsFirstMessage) {
    std::wstring log = LogPathInNewFolder();
    std::wstring modes = log.substr(0, log.find_last_of(L'\\') + 1) + L"sibling-modes.txt";
    WriteFileBytes(modes, "BoardView hung\r\n");
    StandInHub hub;
    HANDLE process = StartProgram(L"BoardView.exe", kBoardLine, log);
    EndsOnExit ends(process);
    HWND window = WaitForWindow(L"KXTable7");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WaitForInputIdle(process, 10000), 0u) << "idle until the hub sends something";
    // Test commands still work before the hub's first message.
    SendBytes(window, 0x54455354, WithZero("notify 35 0"));
    PumpUntil([&] { return !hub.receipts.empty(); }, 5000);
    EXPECT_EQ(hub.receipts, (std::vector<HubReceipt>{{hubMessage, 35, 0, ""}}));

    DWORD_PTR result = 0;
    ULONGLONG start = GetTickCount64();
    EXPECT_EQ(SendMessageTimeoutW(window, hubMessage, 10, 1, SMTO_NORMAL, 1000, &result), 0);
    EXPECT_GE(GetTickCount64() - start, 900u);
    std::vector<std::string> lines;
    PumpUntil([&] {
        lines = ReadLines(log);
        return !lines.empty() && lines.back() == "BoardView 7 hung";
    });
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1], "BoardView 7 mode hung");
    EXPECT_EQ(lines.back(), "BoardView 7 hung");
    EXPECT_EQ(WaitForSingleObject(process, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "still there";
    TerminateProcess(process, 9);
    EXPECT_EQ(WaitForExit(process), 9);
    DeleteFileW(modes.c_str());
    DeleteFileW(log.c_str());
}

TEST(SiblingPrograms, ReportTheirPositionAfterAMove) {
    StandInHub hub;
    std::wstring log = NewLogPath();
    HANDLE process = StartProgram(L"RoomView.exe", kRoomLine, log);
    EndsOnExit ends(process);
    HWND window = WaitForReadyWindow(process, L"KXLobby12");
    ASSERT_NE(window, nullptr);
    SendBytes(window, 0x54455354, WithZero("move -700 25"));
    RECT rect{};
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, -700);
    EXPECT_EQ(rect.top, 25);
    SendBytes(window, 0x54455354, WithZero("close"));
    EXPECT_EQ(WaitForExit(process), 0);
    PumpUntil([&] { return !hub.receipts.empty(); }, 2000);
    EXPECT_EQ(hub.receipts,
              (std::vector<HubReceipt>{{WM_COPYDATA, 38, 0, WithZero("KXMessage,12,-700,25")}}));
    DeleteFileW(log.c_str());
}

TEST(SiblingPrograms, NoWindowModeEndsAtOnce) {
    std::wstring log = LogPathInNewFolder();
    std::wstring modes = log.substr(0, log.find_last_of(L'\\') + 1) + L"sibling-modes.txt";
    WriteFileBytes(modes, "BoardView 7 no-window\n");
    HANDLE process = StartProgram(L"BoardView.exe", kBoardLine, log);
    EXPECT_EQ(WaitForExit(process), 3);
    EXPECT_EQ(FindWindowW(L"KXTable7", nullptr), nullptr);
    std::vector<std::string> lines = ReadLines(log);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "BoardView 7 mode no-window");
    EXPECT_EQ(lines[2], "BoardView 7 exit 3");
    DeleteFileW(modes.c_str());
    DeleteFileW(log.c_str());
}

}  // namespace
