// FIFO queues guarded by the queue lock.
#include "net/queues.h"

#include <atomic>
#include <deque>

#include "net/notification_codes.h"
#include "net/link.h"
#include "net/queue_lock.h"
#include "net/sender_wakeup.h"

namespace {
std::deque<std::string> inboundQueue;
std::deque<std::string> outboundQueue;
// Entries in the inbound queue, kept under the lock and readable without it: the drain
// asks it before taking the lock for a pop that would only find the queue empty.
std::atomic<std::size_t> inboundCount{0};

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
    inboundCount.store(inboundQueue.size());
    PostToMainWindow(NC_INBOUND);
}

std::string PopInbound() {
    QueueLockHold hold;
    if (inboundQueue.empty()) return std::string();
    std::string text = std::move(inboundQueue.front());
    inboundQueue.pop_front();
    inboundCount.store(inboundQueue.size());
    return text;
}

bool InboundWaiting() {
    return inboundCount.load() > 0;
}

std::size_t InboundCount() {
    return inboundCount.load();
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
