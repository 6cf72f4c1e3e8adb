// The two message queues between the main window's thread and the traffic threads.
// Inbound entries are texts exactly as received, one or more whole messages ending in
// "!"; outbound entries are single messages without their sequence number. Both queues
// live for the whole run, across connections.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Receive loop: appends and, still holding the lock, posts NC_INBOUND to the main window.
void PushInbound(std::string text);
// Main window: the oldest entry, or "" when the queue is empty.
std::string PopInbound();
// Whether an entry is queued, without taking the lock. An entry pushed after a "no" comes
// with a notification of its own.
bool InboundWaiting();
std::size_t InboundCount();

// Main window (every producer of an outbound message): appends and wakes the sender.
void PushOutbound(std::string_view text);
// Sender: the oldest message, or "" when the queue is empty.
std::string PopOutbound();
bool OutboundWaiting();
// Main window, before a new connection attempt after a lost one.
void ClearOutbound();
std::size_t OutboundCount();
