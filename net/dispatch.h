// Inbound dispatch: drains the inbound queue on the main window's thread, cuts each
// entry into messages and fields, records the server's acknowledgements of the client's
// messages, notes every numbered message for acknowledgement and calls its type's
// handler.
#pragma once

#include <string_view>

#include "net/wire.h"

// A handler receives the message's fields (0 the number, 1 the type, 2... its fields).
using InboundHandler = void (*)(const FieldList& fields);

struct InboundRoute {
    int type;
    InboundHandler handler;
    const char* name;
};

// The handler of a type, or nullptr for types the client ignores.
InboundHandler HandlerForType(int type);

// NC_INBOUND: handles every entry in the inbound queue, also those queued after the
// notification was posted.
void DispatchInbound();
// One queue entry: one or more messages, each ended by "!".
void DispatchEntry(std::string_view entry);
