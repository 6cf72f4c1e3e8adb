// Receive loop and sender threads.
#include "net/traffic.h"

#include "net/notification_codes.h"
#include "net/calendar_clock.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/receive_assembler.h"
#include "net/sender_logic.h"
#include "net/sender_wakeup.h"

namespace {
constexpr int kReadSize = 1000;
constexpr int kMaxFailedReads = 5;
constexpr int kFailedReadPauseMs = 100;
}  // namespace

void ReceiveLoop() {
    const SocketHandle socket = inboundConnection.load();
    ReceiveAssembler assembler;
    std::string entry;
    char buffer[kReadSize + 1];
    int failures = 0;
    while (isConnected.load() && failures < kMaxFailedReads) {
        int received = ReceiveSome(socket, buffer, kReadSize);
        if (received <= 0) {
            SleepMilliseconds(kFailedReadPauseMs);
            ++failures;
            continue;
        }
        failures = 0;
        std::string_view read(buffer, static_cast<std::size_t>(received));
        ReadOutcome outcome = AcceptRead(assembler, read, entry, kMaxCarryOver);
        if (outcome == ReadOutcome::Overflow) break;
        if (outcome == ReadOutcome::Complete) PushInbound(std::move(entry));
    }
    PostToMainWindow(NC_CONNECTION_LOST);
}

void SenderThread() {
    const SocketHandle socket = outboundConnection.load();
    SenderState state = StartSender(CalendarSeconds());
    while (true) {
        const std::int64_t now = CalendarSeconds();
        // The queue is looked at only when a new message could go out, and then by taking
        // it: every queue operation holds the named queue lock.
        SenderView view{isConnected.load(), pendingAcknowledgement.load(),
                        acknowledgedNumber.load(), true};
        SenderStep step = NextSenderStep(state, view, now);
        std::string queued;
        if (step.action == SenderAction::TransmitNext) {
            queued = PopOutbound();
            if (queued.empty()) {
                view.outboundWaiting = false;
                step = NextSenderStep(state, view, now);
            }
        }
        switch (step.action) {
            case SenderAction::Stop:
                PostToMainWindow(NC_CONNECTION_LOST);
                return;
            case SenderAction::Acknowledge: {
                std::int32_t number = TakePendingAcknowledgement();
                if (number >= 1) SendAll(socket, TakeAcknowledgement(state, number));
                break;
            }
            case SenderAction::TransmitNext:
                SendAll(socket, TransmitQueued(state, queued, now));
                break;
            case SenderAction::Resend:
                SendAll(socket, Retransmit(state, now));
                break;
            case SenderAction::KeepAlive:
                SendAll(socket, TransmitKeepAlive(state, now));
                break;
            case SenderAction::Wait:
                WaitForSenderWake(UntilCalendarSecond(step.dueSecond));
                break;
        }
    }
}
