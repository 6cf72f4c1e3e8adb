// Protocol state of one connection pair after the handshake: the server's own numbering
// with stop-and-wait, the acknowledgements of the client's messages, the dispatch of the
// client's messages by type, and the bytes to be written on the inbound (3556) connection.
// No sockets here: the caller feeds received bytes in and writes `out` away.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/wire.h"
#include "server/framing.h"
#include "server/lobby_live.h"

struct Account;

inline constexpr std::int64_t kNoDeadline = std::numeric_limits<std::int64_t>::max();

// How the client's numbered messages are acknowledged.
enum class AckMode {
    Normal,     // `2,<n>,!` at once
    Off,        // withheld
    Duplicate,  // sent twice
    Late,       // sent after `ackDelayMs`
    Wrong,      // `2,<n+1>,!`: a number the client is not waiting for
};

struct LateAck {
    std::int64_t dueMs;
    std::int32_t number;
};

struct Session {
    int id = 0;  // pair number, for the log

    // Behaviour; scenario steps and control commands change it while the pair runs.
    bool ackWait = true;  // send the next numbered message only once the last is acknowledged
    bool replies = true;  // answer logins and clock requests
    AckMode ackMode = AckMode::Normal;
    std::int64_t ackDelayMs = 0;

    // The server's numbered messages.
    std::int32_t lastSent = 0;
    std::int32_t lastAcked = 0;
    std::deque<std::string> queue;  // "<type>,<fields>,!" waiting for their turn
    std::uint64_t queuedCount = 0;
    std::uint64_t sentCount = 0;

    // The client's side.
    MessageReader reader;
    std::int32_t lastClientNumber = 0;
    std::vector<LateAck> lateAcks;
    const Account* account = nullptr;  // set by an accepted login

    // The lobby this pair was sent at login, as it changes since; and its random
    // changes every `lobbyEveryMs` (0: none).
    std::optional<LiveLobby> lobby;
    std::int64_t lobbyEveryMs = 0;
    std::int64_t nextLobbyChangeMs = kNoDeadline;
    // The presence storm: `stormPerSecond` changes from the first pump after the login.
    std::int32_t stormPerSecond = 0;
    std::int64_t stormStartedMs = kNoDeadline;
    std::int64_t stormDue = 0;      // changes due so far, sent or skipped
    std::int64_t stormSkipped = 0;  // skipped while the client lagged behind
    // A private message from an online contact every `privateEveryMs` (0: none).
    std::int64_t privateEveryMs = 0;
    std::int64_t nextPrivateMs = kNoDeadline;

    std::string received;  // client bytes not yet consumed by a scenario's expect step
    bool clientClosed = false;
    bool closeRequested = false;  // by a scenario step or control command

    std::string out;  // bytes for the inbound connection, in order
};

// Queues a numbered message; the result is its ticket: it has been transmitted once
// `sentCount` reaches the ticket.
std::uint64_t QueueMessage(Session& session, std::string queued);

// Transmits what stop-and-wait allows and the delayed acknowledgements that are due.
void PumpSession(Session& session, std::int64_t nowMs);

// Bytes read from the outbound (3555) connection: framed, acknowledged and dispatched.
// False when the client has sent more than the framing limit without "!".
bool ReceiveClientBytes(Session& session, std::string_view bytes, std::int64_t nowMs);

// Applies a lobby command (a scenario step or control line) and queues what it sends.
// The result is the ticket of its last message (0: nothing sent); `error` tells why
// nothing changed.
std::uint64_t ApplyLobbyStep(Session& session, const LobbyCommand& command, std::int64_t nowMs,
                             std::string& error);

// The earliest delayed acknowledgement or random lobby change, or kNoDeadline.
std::int64_t SessionDeadline(const Session& session);

// --- Client message handlers (session_handlers.cpp) ---

// Calls the handler of `type`; unknown types are only logged.
void DispatchClientMessage(Session& session, std::int32_t type, const FieldList& fields);
// The clock as the type-10 field: nine ':'-separated integers of the local time.
std::string ClockField(const std::tm& local);
// The type-10 message with the local time now.
std::string ClockMessage();

void SessionLog(const Session& session, std::string_view text);
