// Messages to a sibling window: logging, showing, test commands and the close reports.
#include "siblings/sibling_messages_win.h"

#include <string>

#include "net/names.h"
#include "net/notification_codes.h"
#include "net/text_convert.h"
#include "siblings/sibling_hub_win.h"
#include "siblings/sibling_log_win.h"
#include "siblings/sibling_main_win.h"
#include "siblings/sibling_state.h"
#include "siblings/sibling_text.h"
#include "siblings/sibling_window_win.h"

namespace {

// Relay code of a room window's close report, and of a text for the server.
constexpr std::uint32_t kRoomClosedRelay = 38;
constexpr std::uint32_t kForwardRelay = 100;
constexpr std::uint32_t kJoinAnswerRelay = 97;

SiblingState held;

void ShowHeldState(HWND window) {
    ShowHeld(DescribeState(held));
    if (held.kind == SiblingKind::Room)
        SetWindowTextW(window,
                       WideFromUtf8("Room " + IntToText(held.id) + " - " + held.roomName).c_str());
}

// The hung test mode: the window procedure never returns from the hub's first message.
void HangIfAsked() {
    if (siblingMode != SiblingMode::Hung) return;
    WriteLogLine("hung");
    while (true)
        Sleep(INFINITE);
}

// Shows what it holds; in the storm test mode, a flood the hub must bound instead (kept
// quick: neither shown nor logged one by one).
void ShowOrStorm(HWND window) {
    if (siblingMode != SiblingMode::Storm) return ShowHeldState(window);
    if (held.tables.empty()) return;
    HWND hub = FindWindowW(kMainWindowClass, nullptr);
    for (int k = 0; k < 10; ++k)
        PostMessageW(hub, HubMessage(), NC_OPEN_TABLE, held.tables.begin()->first);
}

void RunTestCommand(HWND window, std::string_view text) {
    WriteLogLine("test " + EscapeBytes(text));
    ShowLine("test " + ReadableText(text));
    TestCommand command = ParseTestCommand(text);
    switch (command.action) {
        case TestAction::Relay:
            RelayToHub(window, command.code, command.text);
            break;
        case TestAction::Notify:
            NotifyHub(command.code, command.number);
            break;
        case TestAction::Raw:
            SendToHub(window, command.code, command.text);
            break;
        case TestAction::Chat:
            SendChatLine(window, command.text);
            break;
        case TestAction::Move:
            SetWindowPos(window, nullptr, static_cast<int>(command.number),
                         static_cast<int>(command.y), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            break;
        // Through the queue, as a click on the close box would come.
        case TestAction::Close:
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        case TestAction::Invalid:
            WriteLogLine("error unknown test command");
            break;
    }
}

// Where the window is, or was before it was minimised.
POINT WindowPosition(HWND window) {
    RECT rect{};
    if (IsIconic(window)) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        GetWindowPlacement(window, &placement);
        rect = placement.rcNormalPosition;
    } else {
        GetWindowRect(window, &rect);
    }
    return {rect.left, rect.top};
}

}  // namespace

void StartHolding(HWND window, SiblingKind kind, const SiblingIdentity& identity) {
    held = StartState(kind, identity);
    ShowHeldState(window);
}

void SendChatLine(HWND window, std::string_view utf8) {
    std::string message = ChatMessage(held, utf8);
    if (message.empty()) {
        WriteLogLine("error no chat line to send");
        return;
    }
    RelayToHub(window, kForwardRelay, message);
}

void OnCopyData(HWND window, const COPYDATASTRUCT* data) {
    std::string_view bytes;
    if (data && data->lpData)
        bytes = std::string_view(static_cast<const char*>(data->lpData), data->cbData);
    if (data && data->dwData == kTestCommandCode) {
        // Everything but the terminator, so raw commands may carry zero bytes.
        if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        RunTestCommand(window, bytes);
        return;
    }
    std::uint64_t code = data ? data->dwData : 0;
    WriteLogLine(CopyDataLogText(code, bytes));
    HangIfAsked();
    std::string_view text = CopyDataText(bytes);
    ShowLine("copydata " + std::to_string(code) + ": " + ReadableText(text));
    std::string_view prefix = kRelayPrefix;
    if (text.substr(0, prefix.size()) == prefix && code <= 0xFFFFFFFFu) {
        ApplyRelay(held, static_cast<std::uint32_t>(code), text.substr(prefix.size()));
        ShowOrStorm(window);
    }
}

void OnHubNotification(HWND window, WPARAM code, LPARAM value) {
    std::string text =
        "notify " + std::to_string(code) + " " + std::to_string(static_cast<long long>(value));
    WriteLogLine(text);
    HangIfAsked();
    ShowLine(text);
    if (code == NC_HUB_CLOSING) {
        DestroyWindow(window);
        return;
    }
    ApplyNotification(held, static_cast<std::uint32_t>(code), value);
    ShowOrStorm(window);
}

void OnUserClose(HWND window) {
    WriteLogLine("close");
    if (siblingKind == SiblingKind::Room) {
        POINT position = WindowPosition(window);
        RelayToHub(
            window, kRoomClosedRelay,
            IntToText(siblingId) + "," + IntToText(position.x) + "," + IntToText(position.y));
    } else if (siblingKind == SiblingKind::Board) {
        NotifyHub(NC_TABLE_CLOSED, siblingId);
    }
    DestroyWindow(window);
}

void SendJoinAnswer(HWND window, int answer) {
    std::string text = JoinAnswer(held, answer);
    WriteLogLine("answered " + IntToText(answer));
    if (!text.empty()) RelayToHub(window, kJoinAnswerRelay, text);
}
