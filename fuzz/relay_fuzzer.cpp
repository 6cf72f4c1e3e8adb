// WM_COPYDATA texts between the hub and its sibling programs, as a sequence: each one
// acts on what the earlier ones left.
//
// The receiving side that exists today is the development siblings' (log line, shown
// line, "KXMessage," relay into what the window holds, test commands); the hub's own
// reader of its siblings' texts goes in HubCopyData below.
//
// Input: one byte for the sibling program (modulo 5: RoomView, BoardView, JoinView,
// ChatView, KXDebug), then records: one byte dwData (255: a test command), two bytes
// (little-endian) cbData, then the data, cut short by the end of the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/names.h"
#include "siblings/sibling_fields.h"
#include "siblings/sibling_state.h"
#include "siblings/sibling_text.h"

namespace {

constexpr std::uint8_t kTestCommandByte = 255;

// ---- The hub's reader of its siblings' WM_COPYDATA texts ---------------------------
// Not in the hub yet (WM_COPYDATA is taken and ignored by the main window). When the
// lobby's relay reader lands, call it here with the code and the bytes exactly as the
// main window procedure would, and link it through fuzz/CMakeLists.txt.
void HubCopyData(std::uint64_t /*code*/, std::string_view /*bytes*/) {}
// ---------------------------------------------------------------------------------------

// What a sibling window does with one WM_COPYDATA (siblings/sibling_messages_win.cpp).
void SiblingCopyData(SiblingState& held, std::uint64_t code, std::string_view bytes) {
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
        ApplyRelay(held, static_cast<std::uint32_t>(code), text.substr(prefix.size()));
        DescribeState(held);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const auto kind = static_cast<SiblingKind>(data[0] % 5);
    SiblingIdentity identity;
    identity.id = 12;
    identity.roomId = 12;
    SiblingState held = StartState(kind, identity);
    std::size_t at = 1;
    while (at + 3 <= size) {
        const std::uint64_t code =
            data[at] == kTestCommandByte ? kTestCommandCode : static_cast<std::uint64_t>(data[at]);
        const std::size_t length =
            std::min<std::size_t>(data[at + 1] | data[at + 2] << 8, size - at - 3);
        const std::string_view bytes(reinterpret_cast<const char*>(data + at + 3), length);
        at += 3 + length;
        SiblingCopyData(held, code, bytes);
        HubCopyData(code, bytes);
    }
    return 0;
}
