// FIFO queues guarded by the queue lock.
#include "net/queues.h"

#include <deque>

#include "app/notification_codes.h"
#include "net/link.h"
#include "net/queue_lock.h"
#include "net/sender_wakeup.h"

namespace {
std::deque<std::string> inboundQueue;
std::deque<std::string> outboundQueue;

std::string PopFront(std::deque<std::string>& queue) {
    QueueLockHold hold;
    if (queue.empty()) return std::string();
    std::string text = std::move(queue.front());
    queue.pop_front();
    return text;
}
}  // namespace

void PushInbound(std::string text) {
    QueueLockHold hold;
    inboundQueue.push_back(std::move(text));
    PostToMainWindow(NC_INBOUND);
}

std::string PopInbound() {
    return PopFront(inboundQueue);
}

void PushOutbound(std::string_view text) {
    {
        QueueLockHold hold;
        outboundQueue.emplace_back(text);
    }
    WakeSender();
}

std::string PopOutbound() {
    return PopFront(outboundQueue);
}

bool OutboundWaiting() {
    QueueLockHold hold;
    return !outboundQueue.empty();
}

void ClearOutbound() {
    QueueLockHold hold;
    outboundQueue.clear();
}

std::size_t OutboundCount() {
    QueueLockHold hold;
    return outboundQueue.size();
}
