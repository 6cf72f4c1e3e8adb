// Numbering, acknowledgement, resend and keep-alive decisions of the sender.
#include "net/sender_logic.h"

#include "net/wire.h"

SenderState StartSender(std::int64_t now) {
    SenderState state;
    state.resendTime = now;
    state.keepAliveTime = now;
    return state;
}

SenderStep NextSenderStep(const SenderState& state, const SenderView& view, std::int64_t now) {
    if (!view.connected || state.resendCount >= kMaxResends) return {SenderAction::Stop};
    // Acknowledgements go first in every pass.
    if (view.pendingAcknowledgement >= 1) return {SenderAction::Acknowledge};
    if (state.sequence == view.acknowledgedNumber) {
        if (view.outboundWaiting) return {SenderAction::TransmitNext};
    } else if (view.acknowledgedNumber >= 1) {
        // A message is outstanding: resend it when the server has been quiet too long.
        if (now > state.resendTime + kQuietSeconds) return {SenderAction::Resend};
        return {SenderAction::Wait, state.resendTime + kQuietSeconds + 1};
    }
    // Idle, or nothing of this connection acknowledged yet: keep the connection alive
    // with a new number rather than resending.
    if (now > state.keepAliveTime + kQuietSeconds) return {SenderAction::KeepAlive};
    return {SenderAction::Wait, state.keepAliveTime + kQuietSeconds + 1};
}

std::string TakeAcknowledgement(SenderState& state, std::int32_t number) {
    state.resendCount = 0;
    return ComposeAck(number);
}

namespace {
std::string Transmit(SenderState& state, std::string text, std::int64_t now) {
    state.lastTransmitted = std::move(text);
    state.resendTime = now;
    state.keepAliveTime = now;
    state.resendCount = 0;
    return state.lastTransmitted;
}
}  // namespace

std::string TransmitQueued(SenderState& state, std::string_view queued, std::int64_t now) {
    ++state.sequence;
    return Transmit(state, ComposeNumbered(state.sequence, queued), now);
}

std::string Retransmit(SenderState& state, std::int64_t now) {
    state.resendTime = now;
    state.keepAliveTime = now;
    ++state.resendCount;
    return state.lastTransmitted;
}

std::string TransmitKeepAlive(SenderState& state, std::int64_t now) {
    ++state.sequence;
    return Transmit(state, ComposeKeepAlive(state.sequence), now);
}
