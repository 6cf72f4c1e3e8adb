// Numbering, stop-and-wait and acknowledgements of one connection pair.
#include "server/session.h"

#include <algorithm>

#include "net/text_convert.h"
#include "net/escaped_bytes.h"
#include "server/lobby_requests.h"
#include "server/log.h"

namespace {

// Client bytes kept for expect steps; past this the oldest half is dropped.
constexpr std::size_t kReceivedLimit = std::size_t{16} << 20;
// Random lobby changes wait while this many messages are still queued: a client that
// does not acknowledge must not make the queue grow without bound.
constexpr std::size_t kLobbyChangeBacklog = 20;

bool MaySend(const Session& session) {
    return !session.ack_wait || session.last_acked >= session.last_sent;
}

void SendAck(Session& session, std::int32_t number) {
    std::string ack = ComposeAck(number);
    SessionLog(session, "> " + ack);
    session.out += ack;
}

void AcknowledgeClient(Session& session, std::int32_t number, std::int64_t now_ms) {
    switch (session.ack_mode) {
        case AckMode::Normal:
            SendAck(session, number);
            break;
        case AckMode::Off:
            SessionLog(session, "ack of " + IntToText(number) + " withheld");
            break;
        case AckMode::Duplicate:
            SendAck(session, number);
            SendAck(session, number);
            break;
        case AckMode::Late:
            session.late_acks.push_back({now_ms + session.ack_delay_ms, number});
            break;
        case AckMode::Wrong:
            SendAck(session, number + 1);
            break;
    }
}

void OnClientAck(Session& session, std::int32_t number) {
    if (number > session.last_acked && number <= session.last_sent) {
        session.last_acked = number;
        return;
    }
    SessionLog(session, "ack " + IntToText(number) + " ignored (last sent " +
                            IntToText(session.last_sent) + ", acknowledged " +
                            IntToText(session.last_acked) + ")");
}

std::uint64_t QueueChange(Session& session, LobbyChange& change) {
    SessionLog(session, "lobby: " + (change.error.empty() ? change.note : change.error));
    std::uint64_t ticket = 0;
    for (std::string& message : change.messages)
        ticket = QueueMessage(session, std::move(message));
    return ticket;
}

// The random lobby change that is due, if the client keeps up.
void ChangeLobby(Session& session, std::int64_t now_ms) {
    if (!session.lobby || session.lobby_every_ms <= 0) return;
    if (session.next_lobby_change_ms == kNoDeadline) {
        session.next_lobby_change_ms = now_ms + session.lobby_every_ms;
        return;
    }
    if (now_ms < session.next_lobby_change_ms) return;
    session.next_lobby_change_ms = now_ms + session.lobby_every_ms;
    if (session.queue.size() >= kLobbyChangeBacklog) return;
    LobbyChange change = RandomLobbyChange(*session.lobby);
    QueueChange(session, change);
}

// The private message that is due, if the client keeps up.
void WritePrivately(Session& session, std::int64_t now_ms) {
    if (!session.lobby || session.private_every_ms <= 0) return;
    if (session.next_private_ms == kNoDeadline) {
        session.next_private_ms = now_ms + session.private_every_ms;
        return;
    }
    if (now_ms < session.next_private_ms) return;
    session.next_private_ms = now_ms + session.private_every_ms;
    if (session.queue.size() >= kLobbyChangeBacklog) return;
    LobbyChange change = RandomPrivateMessage(*session.lobby);
    QueueChange(session, change);
}

// Presence changes of the storm that are due. A client that lags behind by a whole
// second's worth has the changes skipped, so the queue stays bounded.
void RunStorm(Session& session, std::int64_t now_ms) {
    if (!session.lobby || session.storm_per_second <= 0) return;
    if (session.storm_started_ms == kNoDeadline) {
        session.storm_started_ms = now_ms;
        SessionLog(session, "presence storm: " + std::to_string(session.storm_per_second) +
                                " changes per second");
        return;
    }
    const std::int64_t due = (now_ms - session.storm_started_ms) * session.storm_per_second / 1000;
    const std::size_t backlog = static_cast<std::size_t>(session.storm_per_second);
    while (session.storm_due < due) {
        ++session.storm_due;
        if (session.queue.size() >= backlog) {
            ++session.storm_skipped;
            continue;
        }
        LobbyChange change = StormPresenceChange(*session.lobby);
        QueueChange(session, change);
    }
}

void HandleClientMessage(Session& session, std::string_view message, std::int64_t now_ms) {
    SessionLog(session, "< " + Printable(message) + "!");
    FieldList fields = SplitFields(message);
    if (fields.size() == 2 && fields[0] == "2") {
        OnClientAck(session, TextToInt(fields[1]));
        return;
    }
    if (fields.size() < 3) {
        SessionLog(session, "ignored: not a numbered message");
        return;
    }
    std::int32_t number = TextToInt(fields[0]);
    if (number != session.last_client_number + 1) {
        SessionLog(session, "client number " + IntToText(number) + " after " +
                                IntToText(session.last_client_number));
    }
    session.last_client_number = number;
    AcknowledgeClient(session, number, now_ms);
    if (session.replies) DispatchClientMessage(session, TextToInt(fields[1]), fields);
}

}  // namespace

std::uint64_t QueueMessage(Session& session, std::string queued) {
    session.queue.push_back(std::move(queued));
    return ++session.queued_count;
}

void PumpSession(Session& session, std::int64_t now_ms) {
    ChangeLobby(session, now_ms);
    RunStorm(session, now_ms);
    WritePrivately(session, now_ms);
    // Delayed acknowledgements in the order they fall due.
    std::stable_sort(session.late_acks.begin(), session.late_acks.end(),
                     [](const LateAck& a, const LateAck& b) { return a.due_ms < b.due_ms; });
    std::size_t due = 0;
    while (due < session.late_acks.size() && session.late_acks[due].due_ms <= now_ms) {
        SendAck(session, session.late_acks[due++].number);
    }
    session.late_acks.erase(session.late_acks.begin(), session.late_acks.begin() + due);

    while (!session.queue.empty() && MaySend(session)) {
        std::string numbered = ComposeNumbered(++session.last_sent, session.queue.front());
        session.queue.pop_front();
        ++session.sent_count;
        SessionLog(session, "> " + Printable(numbered));
        session.out += numbered;
    }
}

bool ReceiveClientBytes(Session& session, std::string_view bytes, std::int64_t now_ms) {
    if (session.received.size() + bytes.size() > kReceivedLimit) {
        session.received.erase(0, session.received.size() / 2);
    }
    session.received.append(bytes);
    std::vector<std::string> messages;
    bool within_limit = FeedMessages(session.reader, bytes, messages);
    for (const std::string& message : messages)
        HandleClientMessage(session, message, now_ms);
    PumpSession(session, now_ms);
    return within_limit;
}

std::uint64_t ApplyLobbyStep(Session& session, const LobbyCommand& command, std::int64_t now_ms,
                             std::string& error) {
    if (command.verb == LobbyVerb::Every) {
        session.lobby_every_ms = command.numbers.empty() ? 0 : command.numbers[0];
        session.next_lobby_change_ms =
            session.lobby_every_ms > 0 ? now_ms + session.lobby_every_ms : kNoDeadline;
        SessionLog(session, "lobby: a random change every " +
                                std::to_string(session.lobby_every_ms) + " ms");
        return 0;
    }
    if (!session.lobby) {
        error = "nobody has logged in on this pair";
        return 0;
    }
    LobbyChange change = ApplyLobbyCommand(*session.lobby, command);
    error = change.error;
    std::uint64_t ticket = QueueChange(session, change);
    PumpSession(session, now_ms);
    return ticket;
}

std::int64_t SessionDeadline(const Session& session) {
    std::int64_t deadline = session.lobby
                                ? std::min(session.next_lobby_change_ms, session.next_private_ms)
                                : kNoDeadline;
    if (session.lobby && session.storm_per_second > 0) {
        // The first pump after the login starts the storm; then each change at its time.
        const std::int64_t next = session.storm_started_ms == kNoDeadline
                                      ? 0
                                      : session.storm_started_ms + ((session.storm_due + 1) * 1000 +
                                                                    session.storm_per_second - 1) /
                                                                       session.storm_per_second;
        deadline = std::min(deadline, next);
    }
    for (const LateAck& ack : session.late_acks)
        deadline = std::min(deadline, ack.due_ms);
    return deadline;
}

void SessionLog(const Session& session, std::string_view text) {
    LogEvent("pair " + std::to_string(session.id) + " " + std::string(text));
}
