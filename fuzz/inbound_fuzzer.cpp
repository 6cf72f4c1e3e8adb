// What the server sends, from the socket's reads to the models: the receive loop's
// carry-over, the inbound queue, the splitter and the hub's own routes into the session,
// account, news and lobby handlers, and the texts the windows paint from what they
// changed. One input is one connection's byte stream, so messages act on the state
// earlier ones left; the window system is the recording fake.
//
// Input: one control byte, then the stream.
//   bit 0     the login fields hold a name and password (the connect queues a login)
//   bit 1     the main window drains the queue only when the stream ends, not after
//             every push
//   bits 2-7  0: every read ends after a "!" (or at the read size); n: reads of 1 to 16n
//             bytes, cut anywhere by a fixed sequence
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "app/inbound_routes.h"
#include "lobby/lobby_counts.h"
#include "lobby/lobby_state.h"
#include "lobby/presence.h"
#include "net/dispatch.h"
#include "net/link.h"
#include "net/notification_codes.h"
#include "net/queues.h"
#include "net/receive_assembler.h"
#include "session/account.h"
#include "session/news.h"
#include "session/session.h"
#include "settings/settings.h"
#include "tests/unit/fakes/main_window_fake.h"
#include "tests/unit/fakes/ui_language_port_fake.h"
#include "tests/unit/fakes/ui_port_fake.h"
#include "ui/clock_text.h"
#include "ui/money_text.h"
#include "ui/texts.h"
#include "ui/main_paint.h"

namespace {

// The receive loop's read size.
constexpr std::size_t kReadSize = 1000;
// Far below the loop's own cap, so that inputs of a few kilobytes reach the overflow,
// which ends the connection as it does in the loop.
constexpr std::size_t kCarryOverCap = 4096;

// Frees what an input made, so that libFuzzer's leak check (run whenever an input ends
// with more allocations than it freed) stays quiet for inputs that leak nothing.
void Release() {
    while (InboundWaiting())
        PopInbound();
    ClearOutbound();
    resetLoginState();
    rooms.clear();
    tournamentRooms.clear();
    ClearNews();
    for (std::wstring* text :
         {&loginUserName, &loginPassword, &loggedInUserName, &loggedInPassword}) {
        text->clear();
        text->shrink_to_fit();
    }
    ResetUiFake();
    ClearLanguagePortCalls();
    ClearPostedCodes();
}

void Start(std::uint8_t control) {
    Release();
    ResetSettingsToDefaults();
    isLoggedIn = false;
    errorState = 0;
    OwnPlayerId = 0;
    if (control & 1) {
        uiEditTexts[WinId::LoginUserEdit] = L"demo";
        uiEditTexts[WinId::LoginPasswordEdit] = L"demo1234";
    }
    isConnected = false;
    connectPhase = PHASE_CONNECTING;
    OnConnectionNotification(NC_CONNECTED);
    uiCalls.clear();
}

// What the windows would paint from the state the messages left: the account panel, the
// clock, the news panel, the welcome lines, the connect window, status and error texts.
void Paint() {
    BalanceText(accountBalance);
    MoneyText(playMoney);
    MoneyText(tokens);
    ClockDigits(static_cast<std::int64_t>(std::time(nullptr)), serverClockOffset);
    std::size_t newsCharacters = 0;
    for (const std::wstring& line : newsLines)
        newsCharacters += line.size();
    (void)newsCharacters;
    ComposeWelcomeLines(loggedInUserName, CurrentLobbyCounts(), language);
    ConnectPhaseText(connectPhase, language);
    LinkStateText(linkState, language);
    PresenceText(ownPresence, language);
    ErrorLines(errorState, language);
}

// The main window's side of NC_INBOUND: one drain for every notification posted (a
// drain ends early at an empty entry, which a read of a zero byte and "!" makes).
void Drain() {
    for (int code : PostedCodes())
        if (code == NC_INBOUND) DispatchInbound();
    ClearPostedCodes();
    Paint();
    // Only the sender reads the outbound queue; nothing in here sends.
    ClearOutbound();
    uiCalls.clear();
}

// The next read's length in the cut-anywhere mode.
std::size_t NextLength(std::uint32_t& state, std::size_t longest) {
    state = state * 1103515245u + 12345u;
    return 1 + (state >> 16) % longest;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool routesInstalled = (InstallHubInboundRoutes(), true);
    (void)routesInstalled;
    if (size == 0) return 0;
    const std::uint8_t control = data[0];
    std::string_view stream(reinterpret_cast<const char*>(data + 1), size - 1);
    Start(control);

    const bool drainEachPush = (control & 2) == 0;
    const std::size_t longest = static_cast<std::size_t>(control >> 2) * 16;
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
                OnConnectionNotification(NC_CONNECTION_LOST);
                OnErrorOk();
                OnConnectionNotification(NC_CONNECTED);
                assembler = {};
                uiCalls.clear();
                break;
        }
        // A handler that ended the connection (a double login, a suspended account)
        // leaves the user an error window whose OK ends the program.
        if (!isConnected.load()) break;
    }
    Drain();
    isConnected = false;
    Release();
    return 0;
}
