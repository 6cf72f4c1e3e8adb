// Inbound dispatch: drains the inbound queue on the main window's thread, cuts each
// entry into messages and fields, records the server's acknowledgements of the client's
// messages, notes every numbered message for acknowledgement and calls its type's
// handler.
#pragma once

#include <span>
#include <string_view>

#include "net/wire.h"

// A handler receives the message's fields (0 the number, 1 the type, 2... its fields).
using InboundHandler = void (*)(const FieldList& fields);

struct InboundRoute {
    int type;
    InboundHandler handler;
    const char* name;
};

// Hands dispatch its routes (start-up, once; tests may install their own). Types without
// a route, and types outside 10..114, are acknowledged and otherwise ignored.
void InstallInboundRoutes(std::span<const InboundRoute> routes);
// The handler of a type, or nullptr for types the client ignores.
InboundHandler HandlerForType(int type);

// NC_INBOUND: handles every entry in the inbound queue, also those queued after the
// notification was posted.
void DispatchInbound();
// One queue entry: one or more messages, each ended by "!".
void DispatchEntry(std::string_view entry);
