// Texts of the sibling programs' log lines and the test commands they obey.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Bytes below 0x20, from 0x7F up and the backslash become \xNN: one line per message,
// and the original bytes can be read back exactly.
std::string EscapeBytes(std::string_view bytes);
// The same for UTF-8 text, whose letters of every language stay as they are.
std::string EscapeControls(std::string_view utf8);
// For the window's lines: only control bytes are escaped (paths keep their backslashes).
std::string ReadableText(std::string_view utf8);

// "copydata <code> <escaped text>" for a WM_COPYDATA whose data (cbData bytes) ends in
// its one zero terminator; "copydata-unterminated <code> <escaped bytes>" otherwise, so
// a sender that counts wrong shows in the log (a missing terminator, or a count past it
// with \x00 inside).
std::string CopyDataLogText(std::uint64_t code, std::string_view data);

// The payload of a WM_COPYDATA up to its terminator (the whole data when it has none).
std::string_view CopyDataText(std::string_view data);

// A test command, sent to a sibling window as WM_COPYDATA with dwData kTestCommandCode:
//   relay <code> <payload>   WM_COPYDATA "KXMessage," + payload to the hub
//   notify <code> <lparam>   TavloraIntMessage to the hub
//   raw <code> <bytes>       WM_COPYDATA with exactly these bytes (no prefix)
//   chat <text>              the line a user would type and send (room, table, chat)
//   move <x> <y>             move the window's top-left corner there
//   close                    close as the user would
inline constexpr std::uint64_t kTestCommandCode = 0x54455354;  // "TEST"

enum class TestAction { Invalid, Relay, Notify, Raw, Chat, Move, Close };
struct TestCommand {
    TestAction action = TestAction::Invalid;
    std::uint32_t code = 0;
    std::int64_t number = 0;  // lParam of notify, x of move
    std::int64_t y = 0;       // of move
    std::string text;         // payload of relay, bytes of raw, text of chat
};
TestCommand ParseTestCommand(std::string_view text);

// How a program behaves for a test, chosen before it starts by the file kModeFileName in
// the folder of the log: lines "<program> <mode>" or "<program> <id> <mode>", where the
// program is RoomView, BoardView, JoinView, ChatView, KXDebug or "*", the id a room,
// table or join id or "*", and the mode
//   normal       as usual
//   never-idle   creates its window, then polls its queue without ever waiting on it,
//                so WaitForInputIdle never sees it idle (it still answers messages)
//   hung         its window procedure stops for good at the first relay text or
//                notification from the hub (test commands still work until then)
//   no-window    ends at once (exit code 3) without a window, as a failed start would
//   storm        a room window that answers every relay text and notification from the
//                hub with ten code 31 reports for its first table, unlogged
// Blank lines and lines starting with "#" are skipped; the last line that names the
// program (and its id, when one is given) wins.
inline constexpr wchar_t kModeFileName[] = L"sibling-modes.txt";
enum class SiblingMode { Normal, NeverIdle, Hung, NoWindow, Storm };
SiblingMode ModeFor(std::string_view fileText, std::string_view program, std::int64_t id);
const char* ModeName(SiblingMode mode);  // as the file names it
