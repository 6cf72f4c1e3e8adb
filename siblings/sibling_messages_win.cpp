// Messages to a sibling window: logging, showing, test commands and the close reports.
#include "siblings/sibling_messages_win.h"

#include <string>

#include "net/notification_codes.h"
#include "net/text_convert.h"
#include "siblings/sibling_hub_win.h"
#include "siblings/sibling_log_win.h"
#include "siblings/sibling_main_win.h"
#include "siblings/sibling_text.h"
#include "siblings/sibling_window_win.h"

namespace {

// Relay code of a room window's close report.
constexpr std::uint32_t kRoomClosedRelay = 38;

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
    ShowLine("copydata " + std::to_string(code) + ": " + ReadableText(CopyDataText(bytes)));
}

void OnHubNotification(HWND window, WPARAM code, LPARAM value) {
    std::string text =
        "notify " + std::to_string(code) + " " + std::to_string(static_cast<long long>(value));
    WriteLogLine(text);
    ShowLine(text);
    if (code == NC_HUB_CLOSING) DestroyWindow(window);
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
