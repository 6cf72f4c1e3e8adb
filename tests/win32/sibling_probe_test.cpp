// probe.exe as the end-to-end tests use it: what `list` prints about a window and its
// children, and that each command delivers exactly the message it was told.
#include <gtest/gtest.h>

#include "net/names.h"
#include "tests/win32/sibling_harness.h"

namespace {

const UINT hubMessage = RegisterWindowMessageW(kRegisteredMessageName);

bool Contains(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

TEST(Probe, ListsATopLevelWindowAndItsChildren) {
    std::wstring log = NewLogPath();
    HANDLE process = StartProgram(L"RoomView.exe",
                                  L" ,?,73,1,1,0,1,0,555,12,North, East,1,130,140,0,QQ==,", log);
    ASSERT_TRUE(PumpUntil([] { return FindWindowW(L"KXLobby12", nullptr) != nullptr; }));

    ProbeResult list = RunProbe(L"list KXLobby12");
    EXPECT_EQ(list.exitCode, 0);
    // The window, then its text of what it holds, its list, the chat line and Send.
    ASSERT_EQ(list.lines.size(), 5u);
    for (const char* part :
         {"\"class\":\"KXLobby12\"", "\"top_level\":true", "\"parent\":\"0x0\"",
          "\"visible_style\":true", "\"visible\":true", "\"enabled\":true", "\"topmost\":false",
          "\"x\":130,\"y\":140,\"w\":560,\"h\":460", "\"text\":\"Room 12 - North, East\""}) {
        EXPECT_TRUE(Contains(list.lines[0], part)) << part << " in " << list.lines[0];
    }
    for (const char* part :
         {"\"class\":\"Edit\"", "\"top_level\":false", "\"parent_class\":\"KXLobby12\"",
          "\"x\":0,\"y\":0", "\"text\":\"Room 12: North, East, state 0\\r\\n"}) {
        EXPECT_TRUE(Contains(list.lines[1], part)) << part << " in " << list.lines[1];
    }
    EXPECT_TRUE(Contains(list.lines[2], "\"class\":\"ListBox\"")) << list.lines[2];
    EXPECT_TRUE(Contains(list.lines[4], "\"class\":\"Button\"")) << list.lines[4];
    EXPECT_TRUE(Contains(list.lines[4], "\"text\":\"Send\"")) << list.lines[4];

    ProbeResult missing = RunProbe(L"list KXLobby99");
    EXPECT_EQ(missing.exitCode, 1);
    ASSERT_EQ(missing.lines.size(), 1u);
    EXPECT_TRUE(Contains(missing.lines[0], "\"ok\":false"));

    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(FindWindowW(L"KXLobby12", nullptr), hubMessage, 1, 0, SMTO_NORMAL, 10000,
                        &ignored);
    EXPECT_EQ(WaitForExit(process), 0);
    DeleteFileW(log.c_str());
}

TEST(Probe, DeliversExactlyWhatItIsTold) {
    struct Case {
        const wchar_t* arguments;
        long exitCode;
        std::vector<HubReceipt> expected;
    } cases[] = {
        {L"copydata KXLobby0 21 K\\x01\\xc3\\xA4\\\\",
         0,
         {{WM_COPYDATA, 21, 0, std::string("K\x01\xC3\xA4\\", 6)}}},
        {L"copydata KXLobby0 21 a\\sb\\0c\\r\\n\\t",
         0,
         {{WM_COPYDATA, 21, 0, std::string("a b\0c\r\n\t", 9)}}},
        {L"copydata KXLobby0 21 abc 2", 0, {{WM_COPYDATA, 21, 0, "ab"}}},
        {L"copydata KXLobby0 21 abc 6", 0, {{WM_COPYDATA, 21, 0, std::string("abc\0XX", 6)}}},
        {L"copydata KXLobby0 0x26 \"12,-5,7\"",
         0,
         {{WM_COPYDATA, 38, 0, std::string("12,-5,7", 8)}}},
        {L"test-command KXLobby0 \"relay 1 a b\"",
         0,
         {{WM_COPYDATA, 0x54455354, 0, std::string("relay 1 a b", 12)}}},
        {L"send KXLobby0 TavloraIntMessage 5 -3", 0, {{hubMessage, 5, -3, ""}}},
        {L"post KXLobby0 TavloraIntMessage 0x1F 7", 0, {{hubMessage, 31, 7, ""}}},
        {L"click KXLobby0 10 20",
         0,
         {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 20), ""},
          {WM_LBUTTONUP, 0, MAKELPARAM(10, 20), ""}}},
        {L"copydata KXLobby0 21 bad\\q", 2, {}},
        {L"copydata KXLobby0 21 \\u00e4", 2, {}},
        {L"copydata KXLobby0 21 end\\", 2, {}},
        {L"send KXLobby0 WM_NOSUCH 0 0", 2, {}},
        {L"send KXLobby0/Edit TavloraIntMessage 1 0", 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "probe " << std::string(c.arguments, c.arguments + wcslen(c.arguments)));
        StandInHub hub;
        ProbeResult result = RunProbe(c.arguments);
        EXPECT_EQ(result.exitCode, c.exitCode);
        PumpUntil([&] { return hub.receipts.size() >= c.expected.size(); }, 2000);
        EXPECT_EQ(hub.receipts, c.expected);
    }
}

}  // namespace
