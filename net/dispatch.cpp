// Splitting, acknowledgement bookkeeping and handler calls for inbound messages.
#include "net/dispatch.h"

#include <array>
#include <deque>
#include <memory>
#include <string>

#include "net/connection_log.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/sender_wakeup.h"
#include "net/text_convert.h"

namespace {
std::array<InboundHandler, kLastInboundType + 1> inboundHandlers{};
}

void InstallInboundRoutes(std::span<const InboundRoute> routes) {
    inboundHandlers = {};
    for (const InboundRoute& route : routes)
        if (route.type >= kFirstInboundType && route.type <= kLastInboundType)
            inboundHandlers[static_cast<std::size_t>(route.type)] = route.handler;
}

InboundHandler HandlerForType(int type) {
    if (type < kFirstInboundType || type > kLastInboundType) return nullptr;
    return inboundHandlers[static_cast<std::size_t>(type)];
}

namespace {

// Entries taken from the queue whose messages are not all handled yet, oldest first,
// each with the offset of its next message. A handler that runs a modal loop (a message
// box, a send to a sibling) lets NC_INBOUND in again; the nested drain goes on with these
// messages before it takes a new entry, so handlers run in arrival order, and the outer
// drain finds the ones the nested drain took gone. Nothing keeps a reference into this
// list across a handler call: each message is handled from a copy of its entry's pointer.
struct PendingEntry {
    std::shared_ptr<const std::string> text;
    std::size_t next = 0;
};
std::deque<PendingEntry> pendingEntries;

void HandleMessage(std::string_view message) {
    LogWireMessage("in", message);
    FieldList fields;
    SplitFields(message, fields);
    if (fields.size() < 2) return;
    if (fields.size() == 2) {
        // An acknowledgement counts only when it confirms the next number; repeated or
        // out-of-order ones change nothing.
        if (fields[0] != "2") return;
        const std::int32_t number = TextToInt(fields[1]);
        if (number == acknowledgedNumber.load() + 1) {
            NoteAcknowledged(number);
            WakeSender();
        }
        return;
    }
    // Noted before the handler runs, whatever the type; 0 or less means nothing to
    // acknowledge.
    NoteToAcknowledge(TextToInt(fields[0]));
    WakeSender();
    if (InboundHandler handler = HandlerForType(TextToInt(fields[1]))) handler(fields);
}

// Handles the next pending message; false when none is left.
bool HandleNextPending() {
    while (!pendingEntries.empty()) {
        PendingEntry& front = pendingEntries.front();
        std::shared_ptr<const std::string> text = front.text;
        const std::string_view all(*text);
        const std::size_t start = front.next;
        std::size_t bang = all.find('!', start);
        if (bang == std::string_view::npos) bang = all.size();
        front.next = bang + 1;
        if (front.next > all.size()) pendingEntries.pop_front();
        const std::string_view message = all.substr(start, bang - start);
        if (message.empty()) continue;
        HandleMessage(message);  // may dispatch again, and change the list
        return true;
    }
    return false;
}

void AddPending(std::string entry) {
    pendingEntries.push_back({std::make_shared<const std::string>(std::move(entry)), 0});
}

}  // namespace

void DispatchEntry(std::string_view entry) {
    AddPending(std::string(entry));
    while (HandleNextPending()) {
    }
}

void DispatchInbound() {
    // Only the entries waiting now: each later one comes with a notification of its own,
    // and a stream that arrives as fast as it is handled must not keep the main window
    // from its other messages (a sibling's report, the player's input, its paints).
    std::size_t waiting = InboundCount();
    while (true) {
        if (HandleNextPending()) continue;
        if (waiting == 0) return;
        --waiting;
        std::string entry = PopInbound();
        if (entry.empty()) return;
        AddPending(std::move(entry));
    }
}
