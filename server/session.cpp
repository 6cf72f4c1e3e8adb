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
    return !session.ackWait || session.lastAcked >= session.lastSent;
}

void SendAck(Session& session, std::int32_t number) {
    std::string ack = ComposeAck(number);
    SessionLog(session, "> " + ack);
    session.out += ack;
}

void AcknowledgeClient(Session& session, std::int32_t number, std::int64_t nowMs) {
    switch (session.ackMode) {
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
            session.lateAcks.push_back({nowMs + session.ackDelayMs, number});
            break;
        case AckMode::Wrong:
            SendAck(session, number + 1);
            break;
    }
}

void OnClientAck(Session& session, std::int32_t number) {
    if (number > session.lastAcked && number <= session.lastSent) {
        session.lastAcked = number;
        return;
    }
    SessionLog(session, "ack " + IntToText(number) + " ignored (last sent " +
                            IntToText(session.lastSent) + ", acknowledged " +
                            IntToText(session.lastAcked) + ")");
}

std::uint64_t QueueChange(Session& session, LobbyChange& change) {
    SessionLog(session, "lobby: " + (change.error.empty() ? change.note : change.error));
    std::uint64_t ticket = 0;
    for (std::string& message : change.messages)
        ticket = QueueMessage(session, std::move(message));
    return ticket;
}

// The random lobby change (private message) of every `everyMs`, when it is due and the
// client keeps up; `nextMs` is when.
void ChangeEvery(Session& session, std::int64_t nowMs, std::int64_t everyMs, std::int64_t& nextMs,
                 LobbyChange (*make)(LiveLobby&)) {
    if (!session.lobby || everyMs <= 0) return;
    if (nextMs == kNoDeadline) {
        nextMs = nowMs + everyMs;
        return;
    }
    if (nowMs < nextMs) return;
    nextMs = nowMs + everyMs;
    if (session.queue.size() >= kLobbyChangeBacklog) return;
    LobbyChange change = make(*session.lobby);
    QueueChange(session, change);
}

// Presence changes of the storm that are due. A client that lags behind by a whole
// second's worth has the changes skipped, so the queue stays bounded.
void RunStorm(Session& session, std::int64_t nowMs) {
    if (!session.lobby || session.stormPerSecond <= 0) return;
    if (session.stormStartedMs == kNoDeadline) {
        session.stormStartedMs = nowMs;
        SessionLog(session, "presence storm: " + std::to_string(session.stormPerSecond) +
                                " changes per second");
        return;
    }
    const std::int64_t due = (nowMs - session.stormStartedMs) * session.stormPerSecond / 1000;
    const std::size_t backlog = static_cast<std::size_t>(session.stormPerSecond);
    while (session.stormDue < due) {
        ++session.stormDue;
        if (session.queue.size() >= backlog) {
            ++session.stormSkipped;
            continue;
        }
        LobbyChange change = StormPresenceChange(*session.lobby);
        QueueChange(session, change);
    }
}

void HandleClientMessage(Session& session, std::string_view message, std::int64_t nowMs) {
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
    if (number != session.lastClientNumber + 1) {
        SessionLog(session, "client number " + IntToText(number) + " after " +
                                IntToText(session.lastClientNumber));
    }
    session.lastClientNumber = number;
    AcknowledgeClient(session, number, nowMs);
    if (session.replies) DispatchClientMessage(session, TextToInt(fields[1]), fields);
}

}  // namespace

std::uint64_t QueueMessage(Session& session, std::string queued) {
    session.queue.push_back(std::move(queued));
    return ++session.queuedCount;
}

void PumpSession(Session& session, std::int64_t nowMs) {
    ChangeEvery(session, nowMs, session.lobbyEveryMs, session.nextLobbyChangeMs, RandomLobbyChange);
    RunStorm(session, nowMs);
    ChangeEvery(session, nowMs, session.privateEveryMs, session.nextPrivateMs,
                RandomPrivateMessage);
    // Delayed acknowledgements in the order they fall due.
    std::stable_sort(session.lateAcks.begin(), session.lateAcks.end(),
                     [](const LateAck& a, const LateAck& b) { return a.dueMs < b.dueMs; });
    std::size_t due = 0;
    while (due < session.lateAcks.size() && session.lateAcks[due].dueMs <= nowMs) {
        SendAck(session, session.lateAcks[due++].number);
    }
    session.lateAcks.erase(session.lateAcks.begin(), session.lateAcks.begin() + due);

    while (!session.queue.empty() && MaySend(session)) {
        std::string numbered = ComposeNumbered(++session.lastSent, session.queue.front());
        session.queue.pop_front();
        ++session.sentCount;
        SessionLog(session, "> " + Printable(numbered));
        session.out += numbered;
    }
}

bool ReceiveClientBytes(Session& session, std::string_view bytes, std::int64_t nowMs) {
    if (session.received.size() + bytes.size() > kReceivedLimit) {
        session.received.erase(0, session.received.size() / 2);
    }
    session.received.append(bytes);
    std::vector<std::string> messages;
    bool withinLimit = FeedMessages(session.reader, bytes, messages);
    for (const std::string& message : messages)
        HandleClientMessage(session, message, nowMs);
    PumpSession(session, nowMs);
    return withinLimit;
}

std::uint64_t ApplyLobbyStep(Session& session, const LobbyCommand& command, std::int64_t nowMs,
                             std::string& error) {
    if (command.verb == LobbyVerb::Every) {
        session.lobbyEveryMs = command.numbers.empty() ? 0 : command.numbers[0];
        session.nextLobbyChangeMs =
            session.lobbyEveryMs > 0 ? nowMs + session.lobbyEveryMs : kNoDeadline;
        SessionLog(session,
                   "lobby: a random change every " + std::to_string(session.lobbyEveryMs) + " ms");
        return 0;
    }
    if (!session.lobby) {
        error = "nobody has logged in on this pair";
        return 0;
    }
    LobbyChange change = ApplyLobbyCommand(*session.lobby, command);
    error = change.error;
    std::uint64_t ticket = QueueChange(session, change);
    PumpSession(session, nowMs);
    return ticket;
}

std::int64_t SessionDeadline(const Session& session) {
    std::int64_t deadline =
        session.lobby ? std::min(session.nextLobbyChangeMs, session.nextPrivateMs) : kNoDeadline;
    if (session.lobby && session.stormPerSecond > 0) {
        // The first pump after the login starts the storm; then each change at its time.
        const std::int64_t next = session.stormStartedMs == kNoDeadline
                                      ? 0
                                      : session.stormStartedMs + ((session.stormDue + 1) * 1000 +
                                                                  session.stormPerSecond - 1) /
                                                                     session.stormPerSecond;
        deadline = std::min(deadline, next);
    }
    for (const LateAck& ack : session.lateAcks)
        deadline = std::min(deadline, ack.dueMs);
    return deadline;
}

void SessionLog(const Session& session, std::string_view text) {
    LogEvent("pair " + std::to_string(session.id) + " " + std::string(text));
}
