// The sender's rules as pure functions of its state, a snapshot of the shared values and
// the current calendar second, so every consequence can be tested with a fake clock.
//
// One pass decides one step: stop, acknowledge, transmit the next queued message, resend
// the outstanding one, send a keep-alive, or wait until a second at which a timed step
// becomes due. Intervals compare whole seconds with a strict greater-than 30, so a
// resend or keep-alive comes at least 31 seconds of the clock's count after the last
// transmission.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

inline constexpr int kMaxResends = 5;
inline constexpr std::int64_t kQuietSeconds = 30;

struct SenderState {
    std::int32_t sequence = 0;       // number of the last numbered message transmitted
    std::string lastTransmitted;     // its bytes, for resending
    int resendCount = 0;             // resends since the client last sent something new
    std::int64_t resendTime = 0;     // second of the last transmission, for resending
    std::int64_t keepAliveTime = 0;  // second of the last transmission, for keep-alives
};

// Fresh state for a new connection.
SenderState StartSender(std::int64_t now);

struct SenderView {
    bool connected;
    std::int32_t pendingAcknowledgement;
    std::int32_t acknowledgedNumber;
    bool outboundWaiting;
};

enum class SenderAction { Stop, Acknowledge, TransmitNext, Resend, KeepAlive, Wait };

struct SenderStep {
    SenderAction action;
    std::int64_t dueSecond = 0;  // Wait: the first second at which a timed step is due
};

SenderStep NextSenderStep(const SenderState& state, const SenderView& view, std::int64_t now);

// The effects of each step on the state; each returns the bytes to send.
std::string TakeAcknowledgement(SenderState& state, std::int32_t number);
std::string TransmitQueued(SenderState& state, std::string_view queued, std::int64_t now);
std::string Retransmit(SenderState& state, std::int64_t now);
std::string TransmitKeepAlive(SenderState& state, std::int64_t now);
