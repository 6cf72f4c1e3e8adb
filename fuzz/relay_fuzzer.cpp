// WM_COPYDATA texts and notification codes between the hub and its sibling programs, as
// a sequence: each acts on what the earlier ones left.
//
// The hub's side: its reader of the siblings' relay texts (lobby/sibling_reports.h) and
// the codes 29, 31 and 36, on a connected hub with a small lobby, interleaved with server
// messages and the user entering rooms. The development siblings' side: the log and shown
// lines of every WM_COPYDATA, "KXMessage," relay texts into what a window holds, and the
// test commands.
//
// Input: one control byte, then records.
//   bits 0-2  the sibling program (RoomView, BoardView, JoinView, ChatView, KXDebug),
//             modulo 5
//   bit 3     the hub's rooms and tables have their sibling windows open
//   bit 4     while the hub sends to a sibling, the next record (unless it is a server
//             message) is handled meanwhile, as the main window handles messages sent
//             to it during its own sends
// A record is one byte, two bytes of length (little-endian, cut short by the end of the
// input) and the data. The byte is the WM_COPYDATA's dwData, except
//   0         a server message (the data, numbered by the server) for the hub
//   200       the user enters the room whose id is the data
//   229, 231, 236   notification code 29, 31 or 36 to the hub, lParam the data's number
//   255       a test command for the sibling program
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/hub_harness.h"
#include "lobby/sibling_launch.h"
#include "lobby/sibling_reports.h"
#include "net/dispatch.h"
#include "net/names.h"
#include "net/notification_codes.h"
#include "net/text_convert.h"
#include "siblings/sibling_fields.h"
#include "siblings/sibling_state.h"
#include "siblings/sibling_text.h"

namespace {

constexpr std::uint8_t kServerMessage = 0;
constexpr std::uint8_t kEnterRoom = 200;
constexpr std::uint8_t kRoomGoneCode = 229;
constexpr std::uint8_t kTableRequestCode = 231;
constexpr std::uint8_t kTableGoneCode = 236;
constexpr std::uint8_t kTestCommand = 255;

// The hub's lobby at the start of every input: players (the own one 1001), contact
// relations, two rooms with presences, tables and seats, all listed.
constexpr std::string_view kLobby =
    "1,13,1001,1,0,!"
    "2,21,7:ann:3:4;1001:me:0:4;9:bo:1600:2;,!"
    "3,51,60:7:0;61:9:2;,!"
    "4,31,5:Sal\xC3\xB3n:2:0;6:Empty:1:0;8:Locked:3:2;,!"
    "5,32,1:5:7;2:5:1001;3:6:9;,!"
    "6,71,40:5:2:3:4:7:1001:7:8:9:10:11:12:13:14:15:0:0;"
    "41:5:2:3:4:0:0:7:8:9:10:11:12:13:14:15:0:0;50:6:0:1:0:9:0:0:0:0:0:0:0:0:0:0:0;,!"
    "7,72,90:5:40:7;91:5:40:1001;92:6:50:9;,!"
    "8,15,0,!";

struct Record {
    std::uint8_t kind;
    std::string_view data;
};

struct Records {
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t at;
    bool Next(Record& record) {
        if (at + 3 > size) return false;
        const std::size_t length =
            std::min<std::size_t>(bytes[at + 1] | bytes[at + 2] << 8, size - at - 3);
        record = {bytes[at],
                  std::string_view(reinterpret_cast<const char*>(bytes + at + 3), length)};
        at += 3 + length;
        return true;
    }
    bool NextIsServerMessage() const { return at < size && bytes[at] == kServerMessage; }
};

Records records{};
bool openWindows = false;
SiblingState held;

// lParam of a notification code: the data's decimal number, any 64-bit value.
std::intptr_t Number(std::string_view text) {
    std::int64_t value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return static_cast<std::intptr_t>(value);
}

// WM_COPYDATA from another process: cbData bytes at lpData in a block of exactly that
// size, so that a read beyond them is caught.
void CopyDataToHub(std::uintptr_t code, std::string_view bytes) {
    const std::vector<char> block(bytes.begin(), bytes.end());
    OnSiblingCopyData(code, block.data(), block.size());
}

// What the hub's main window does with one record.
void HubRecord(const Record& record) {
    switch (record.kind) {
        case kServerMessage:
            DispatchEntry(record.data);
            break;
        case kEnterRoom:
            SetSelectedRoomId(TextToInt(record.data));
            OpenRoomWindow();
            break;
        case kRoomGoneCode:
            OnRoomWindowGone(Number(record.data));
            break;
        case kTableRequestCode:
            OnTableWindowRequested(Number(record.data));
            break;
        case kTableGoneCode:
            OnTableWindowGone(Number(record.data));
            break;
        case kTestCommand:
            CopyDataToHub(kTestCommandCode, record.data);
            break;
        default:
            CopyDataToHub(record.kind, record.data);
            break;
    }
}

// What a sibling window does with one WM_COPYDATA (siblings/sibling_messages_win.cpp).
void SiblingCopyData(SiblingState& state, std::uint64_t code, std::string_view bytes) {
    if (code == kTestCommandCode) {
        if (!bytes.empty() && bytes.back() == '\0') bytes.remove_suffix(1);
        ParseTestCommand(bytes);
        return;
    }
    CopyDataLogText(code, bytes);
    const std::string_view text = CopyDataText(bytes);
    ReadableText(text);
    const std::string_view prefix = kRelayPrefix;
    if (text.substr(0, prefix.size()) == prefix) {
        ApplyRelay(state, static_cast<std::uint32_t>(code), text.substr(prefix.size()));
        DescribeState(state);
    }
}

// During a send of the hub to a sibling: the next record, unless it is a server message
// (those wait in the queue for the main window's own loop).
void RecordDuringSend() {
    static int depth = 0;
    Record record;
    if (depth > 0 || records.NextIsServerMessage() || !records.Next(record)) return;
    ++depth;
    HubRecord(record);
    --depth;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t control = data[0];

    StartHub();
    MarkConnected();
    DispatchEntry(kLobby);
    openWindows = (control & 8) != 0;
    if (openWindows) OpenEveryWindow();
    if (control & 16) fakeDuringSend = RecordDuringSend;
    ClearOutbound();

    SiblingIdentity identity;
    identity.id = 5;
    identity.roomId = 5;
    held = StartState(static_cast<SiblingKind>((control & 7) % 5), identity);

    records = {data, size, 1};
    Record record;
    while (records.Next(record)) {
        HubRecord(record);
        CheckLobbyIndexes();
        if (openWindows) OpenEveryWindow();
        ClearOutbound();
        if (record.kind == kServerMessage || record.kind == kEnterRoom) continue;
        const std::uint64_t code = record.kind == kTestCommand ? kTestCommandCode : record.kind;
        SiblingCopyData(held, code, record.data);
    }
    held = {};
    ReleaseHub();
    return 0;
}
