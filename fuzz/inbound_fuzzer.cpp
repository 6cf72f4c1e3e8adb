// What the server sends, from the socket's reads to the models: the receive loop's
// carry-over, the inbound queue, the splitter and the hub's own routes into the session,
// account, news and lobby handlers, the relay to the sibling windows, and the texts the
// windows paint from what changed. One input is one connection's byte stream, so messages
// act on the state earlier ones left; the window system is the recording fakes.
//
// Input: one control byte, then the stream.
//   bit 0     the login fields hold a name and password (the connect queues a login)
//   bit 1     the main window drains the queue only when the stream ends, not after
//             every push (so a modal error box inside a handler drains the rest)
//   bit 2     every listed room and table has its sibling window open
//   bit 3     while the hub sends to a sibling, the siblings report (a room window closed,
//             a table window gone or asked for, a room window gone), as the main window
//             handles messages sent to it meanwhile
//   bits 4-7  0: every read ends after a "!" (or at the read size); n: reads of 1 to 64n
//             bytes, cut anywhere by a fixed sequence
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "fuzz/hub_harness.h"
#include "lobby/lobby_counts.h"
#include "lobby/sibling_reports.h"
#include "net/dispatch.h"
#include "net/notification_codes.h"
#include "net/receive_assembler.h"
#include "session/account.h"
#include "ui/clock_text.h"
#include "ui/welcome_lines.h"
#include "ui/money_text.h"
#include "ui/texts.h"

namespace {

// The receive loop's read size.
constexpr std::size_t kReadSize = 1000;
// Far below the loop's own cap, so that inputs of a few kilobytes reach the overflow,
// which ends the connection as it does in the loop.
constexpr std::size_t kCarryOverCap = 4096;

bool openWindows = false;
std::uint32_t reportTurn = 0;

// What the windows would paint from the state the messages left: the account panel, the
// clock, the welcome lines, the connect window, status and error texts.
void Paint() {
    BalanceText(accountBalance);
    MoneyText(playMoney);
    MoneyText(tokens);
    ClockDigits(static_cast<std::int64_t>(std::time(nullptr)), serverClockOffset);
    ComposeWelcomeLines(loggedInUserName, CurrentLobbyCounts(), language);
    ConnectPhaseText(connectPhase, language);
    LinkStateText(linkState, language);
    PresenceText(ownPresence, language);
    ErrorLines(errorState, language);
}

// NC_INBOUND notifications posted and not yet handled.
int notificationsWaiting = 0;

// The main window's message loop, or a modal one inside a handler (an error box): one
// drain for every notification waiting (a drain ends early at an empty entry, which a
// read of a zero byte and "!" makes).
void HandleNotifications() {
    for (int code : PostedCodes())
        if (code == NC_INBOUND) ++notificationsWaiting;
    ClearPostedCodes();
    while (notificationsWaiting > 0) {
        --notificationsWaiting;
        DispatchInbound();
    }
}

void Drain() {
    HandleNotifications();
    CheckLobbyIndexes();
    if (openWindows) OpenEveryWindow();
    Paint();
    // Only the sender reads the outbound queue; nothing in here sends.
    ClearOutbound();
    uiCalls.clear();
}

// A sibling report while the hub waits on a send: at every 16th send, at most 32 per
// input (a report can replay the whole lobby to a window), taking turns at the kinds and
// at the rooms and tables. Reports do not nest: the sends they make report nothing.
constexpr std::uint32_t kSendsPerReport = 16;
constexpr int kReportsPerInput = 32;
std::uint32_t sends = 0;
int reportsLeft = 0;

void ReportDuringSend() {
    static int depth = 0;
    if (depth > 0 || sends++ % kSendsPerReport != 0 || reportsLeft == 0) return;
    --reportsLeft;
    ++depth;
    const std::uint32_t turn = reportTurn++;
    const std::vector<RoomRecord>& rooms = Rooms();
    const std::vector<TableRecord>& tables = Tables();
    const std::int32_t roomId = rooms.empty() ? turn : rooms[turn / 4 % rooms.size()].id;
    const std::int32_t tableId = tables.empty() ? turn : tables[turn / 4 % tables.size()].id();
    switch (turn % 4) {
        case 0: {
            const std::string text = "KXMessage," + std::to_string(roomId) + ",120,80";
            OnSiblingCopyData(38, text.c_str(), text.size() + 1);
            break;
        }
        case 1:
            OnTableWindowGone(tableId);
            break;
        case 2:
            OnTableWindowRequested(tableId);
            break;
        case 3:
            OnRoomWindowGone(roomId);
            break;
    }
    --depth;
}

// The next read's length in the cut-anywhere mode.
std::size_t NextLength(std::uint32_t& state, std::size_t longest) {
    state = state * 1103515245u + 12345u;
    return 1 + (state >> 16) % longest;
}

void Connect(std::uint8_t control) {
    if (control & 1) {
        uiEditTexts[WinId::LoginUserEdit] = L"demo";
        uiEditTexts[WinId::LoginPasswordEdit] = L"demo1234";
    }
    // Code 6 counts only as the report of the attempt the hub started.
    StartConnectionAttempt();
    OnConnectionNotification(NC_CONNECTED, connectionAttemptKey);
    ClearOutbound();
    uiCalls.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    StartHub();
    openWindows = (control & 4) != 0;
    reportTurn = control;
    sends = 0;
    reportsLeft = kReportsPerInput;
    notificationsWaiting = 0;
    if (control & 8) fakeDuringSend = ReportDuringSend;
    fakeDuringErrorBox = HandleNotifications;
    Connect(control);

    const bool drainEachPush = (control & 2) == 0;
    const std::size_t longest = static_cast<std::size_t>(control >> 4) * 64;
    std::uint32_t cutState = control;
    ReceiveAssembler assembler;
    std::string entry;
    while (!stream.empty()) {
        std::size_t length;
        if (longest == 0) {
            length = stream.substr(0, kReadSize).find('!');
            length =
                length == std::string_view::npos ? std::min(stream.size(), kReadSize) : length + 1;
        } else {
            length = std::min({stream.size(), kReadSize, NextLength(cutState, longest)});
        }
        const std::string_view read = stream.substr(0, length);
        stream.remove_prefix(length);
        switch (AcceptRead(assembler, read, entry, kCarryOverCap)) {
            case ReadOutcome::Carried:
                break;
            case ReadOutcome::Complete:
                PushInbound(std::move(entry));
                if (drainEachPush) Drain();
                break;
            case ReadOutcome::Overflow:
                // The loop gives the connection up; the user presses OK and the hub
                // connects again, with a fresh loop.
                Drain();
                OnConnectionNotification(NC_CONNECTION_LOST, 0);
                OnErrorOk();
                Connect(control);
                assembler = {};
                break;
        }
        // A handler that ended the connection (a double login, a suspended account)
        // leaves the user an error window whose OK ends the program.
        if (!isConnected.load()) break;
    }
    Drain();
    ReleaseHub();
    return 0;
}
