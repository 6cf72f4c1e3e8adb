// Splitting, acknowledgement bookkeeping and handler calls for inbound messages.
#include "net/dispatch.h"

#include <array>

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

void DispatchEntry(std::string_view entry) {
    FieldList fields;
    ForEachMessage(entry, [&fields](std::string_view message) {
        if (message.empty()) return;
        SplitFields(message, fields);
        if (fields.size() < 2) return;
        if (fields.size() == 2) {
            // An acknowledgement counts only when it confirms the next number; repeated
            // or out-of-order ones change nothing.
            if (fields[0] != "2") return;
            const std::int32_t number = TextToInt(fields[1]);
            if (number == acknowledgedNumber.load() + 1) {
                acknowledgedNumber.store(number);
                WakeSender();
            }
            return;
        }
        // Noted before the handler runs, whatever the type; 0 or less means nothing to
        // acknowledge.
        pendingAcknowledgement.store(TextToInt(fields[0]));
        WakeSender();
        if (InboundHandler handler = HandlerForType(TextToInt(fields[1]))) handler(fields);
    });
}

void DispatchInbound() {
    // A handler that runs a modal loop (a message box, a send to a sibling) can let
    // another NC_INBOUND in; the outer drain handles those entries, in order.
    static bool draining = false;
    if (draining) return;
    draining = true;
    // Every queue operation holds the named lock; the last, empty pop is spared by asking
    // first whether anything is left.
    while (InboundWaiting()) {
        std::string entry = PopInbound();
        if (entry.empty()) break;
        DispatchEntry(entry);
    }
    draining = false;
}
