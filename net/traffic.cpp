// Receive loop and sender threads.
#include "net/traffic.h"

#include "net/notification_codes.h"
#include "net/calendar_clock.h"
#include "net/connection_log.h"
#include "net/link.h"
#include "net/queues.h"
#include "net/receive_assembler.h"
#include "net/sender_logic.h"
#include "net/sender_wakeup.h"

namespace {
constexpr int kReadSize = 1000;
constexpr int kMaxFailedReads = 5;
constexpr int kFailedReadPauseMs = 100;

void Send(SocketHandle socket, const std::string& bytes, std::string_view logAs, int attempt = 0) {
    SendAll(socket, bytes);
    LogWireMessage(logAs, bytes, attempt);
}

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
    LogConnection("receive loop ended after failed reads: ", failures);
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
                LogConnection("sender ended after resends: ", state.resendCount);
                PostToMainWindow(NC_CONNECTION_LOST);
                return;
            case SenderAction::Acknowledge: {
                std::int32_t number = TakePendingAcknowledgement();
                if (number >= 1) Send(socket, TakeAcknowledgement(state, number), "out");
                break;
            }
            case SenderAction::TransmitNext:
                Send(socket, TransmitQueued(state, queued, now), "out");
                break;
            case SenderAction::Resend:
                Send(socket, Retransmit(state, now), "resend", state.resendCount);
                break;
            case SenderAction::KeepAlive:
                Send(socket, TransmitKeepAlive(state, now), "out");
                break;
            case SenderAction::Wait:
                WaitForSenderWake(UntilCalendarSecond(step.dueSecond));
                break;
        }
    }
}
