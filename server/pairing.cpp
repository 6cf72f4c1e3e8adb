// Connections and connection pairs: greeting on accept, pairing by token, reading and
// writing, running each pair's session and steps, and closing.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include "net/escaped_bytes.h"
#include "server/handshake.h"
#include "server/log.h"
#include "server/server.h"

namespace {

// A pair closed by the server gets this long to write what is pending.
constexpr std::int64_t kCloseGraceMs = 2000;

std::string Name(const Connection& c) {
    return std::string(c.inbound ? "inbound " : "outbound ") + std::to_string(c.number);
}

void Record(Connection& c, std::string_view bytes) {
    if (c.recordFd < 0) return;
    while (!bytes.empty()) {
        ssize_t written = write(c.recordFd, bytes.data(), bytes.size());
        if (written <= 0) {
            if (written < 0 && errno == EINTR) continue;
            LogEvent("recording of " + Name(c) + " failed; stopped");
            close(c.recordFd);
            c.recordFd = -1;
            return;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void OpenRecording(Server& server, Connection& c) {
    if (server.options.recordDir.empty()) return;
    std::uint16_t port = c.inbound ? server.inboundPort : server.outboundPort;
    std::string path = server.options.recordDir + "/conn" + std::to_string(c.number) + "-" +
                       std::to_string(port) + ".bin";
    c.recordFd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (c.recordFd < 0) LogEvent("cannot record to " + path);
}

void Greet(Server& server, int id, Connection& c, std::int64_t nowMs) {
    const HandshakePlan& plan = SectionFor(server.script, c.number).plan;
    if (plan.greeting == GreetingKind::Close) {
        CloseConnection(server, id, "closed before the greeting", false);
        return;
    }
    std::string token = plan.token.empty() ? MakeToken(++server.tokenCounter) : plan.token;
    c.token = GreetingToken(plan, token);
    std::string greeting = GreetingBytes(plan, c.token);
    if (greeting.empty()) {
        LogEvent(Name(c) + ": no greeting");
        return;
    }
    std::size_t first = greeting.size();
    if ((plan.splitAt > 0 || plan.splitDelayMs > 0) &&
        static_cast<std::size_t>(plan.splitAt) < greeting.size()) {
        first = static_cast<std::size_t>(plan.splitAt);
        c.greetingRest = greeting.substr(first);
        c.greetingRestMs = nowMs + plan.splitDelayMs;
    }
    LogEvent(Name(c) + " > greeting " + Printable(greeting.substr(0, first)) +
             (c.greetingRest.empty() ? "" : " (rest later)"));
    c.out += greeting.substr(0, first);
    WriteConnection(server, c);
}

Connection* WaitingInbound(Server& server, const std::string& token, int& id) {
    for (auto& [key, c] : server.connections) {
        if (c.inbound && !c.dead && c.pair == 0 && c.token == token) {
            id = key;
            return &c;
        }
    }
    return nullptr;
}

void StartPair(Server& server, int inboundId, int outboundId, std::string rest,
               std::int64_t nowMs) {
    int id = server.nextPairId++;
    Pair& pair = server.pairs[id];
    pair.id = id;
    pair.inbound = inboundId;
    pair.outbound = outboundId;
    Connection& inbound = server.connections[inboundId];
    inbound.pair = id;
    server.connections[outboundId].pair = id;
    pair.session.id = id;
    pair.session.ackWait = server.options.ackWait;
    pair.session.replies = server.options.replies;
    pair.session.lobbyEveryMs = server.options.lobbyEveryMs;
    pair.session.stormPerSecond = server.options.stormPerSecond;
    pair.session.privateEveryMs = server.options.privateEveryMs;
    pair.scenario.steps = SectionFor(server.script, inbound.number).steps;
    server.currentPair = id;
    Report(server, "pair " + std::to_string(id) + " connected");
    if (!rest.empty() && !ReceiveClientBytes(pair.session, rest, nowMs)) {
        CloseConnection(server, outboundId, "too long without \"!\"", false);
    }
}

void Introduce(Server& server, int id, Connection& c, std::int64_t nowMs) {
    std::size_t bang = c.introduction.find('!');
    std::string text = c.introduction.substr(0, bang + 1);
    std::string rest = c.introduction.substr(bang + 1);
    c.introduction.clear();
    c.answered = true;

    std::string token;
    int inboundId = 0;
    Connection* inbound = nullptr;
    if (ParseIntroduction(text, token)) inbound = WaitingInbound(server, token, inboundId);
    const HandshakePlan& plan =
        SectionFor(server.script, inbound != nullptr ? inbound->number : c.number).plan;
    LogEvent(Name(c) + " < introduction " + Printable(text) +
             (inbound != nullptr ? " for " + Name(*inbound) : " (no such token)"));
    if (plan.answer == AnswerKind::Close) {
        CloseConnection(server, id, "closed instead of answering", false);
        return;
    }
    std::string answer = AnswerBytes(plan, inbound != nullptr);
    if (!answer.empty()) {
        LogEvent(Name(c) + " > answer " + Printable(answer));
        c.out += answer;
        WriteConnection(server, c);
    }
    if (AnswerPairs(plan, inbound != nullptr)) StartPair(server, inboundId, id, rest, nowMs);
}

void ReportScenario(Server& server, Pair& pair);

void EndPair(Server& server, Pair& pair, bool byClient, std::int64_t nowMs) {
    if (pair.ended) return;
    pair.ended = true;
    pair.session.clientClosed = byClient;
    std::string name = std::to_string(pair.id);
    FinishSteps(pair.scenario, pair.session, nowMs);
    ReportScenario(server, pair);
    Report(server, "pair " + name + " closed");
    CloseConnection(server, pair.inbound, "pair ended", false);
    CloseConnection(server, pair.outbound, "pair ended", false);
}

// Moves the session's output to the inbound connection and acts on a requested close.
void SyncPair(Server& server, Pair& pair, std::int64_t nowMs) {
    Connection& inbound = server.connections[pair.inbound];
    Connection& outbound = server.connections[pair.outbound];
    if (!pair.session.out.empty()) {
        inbound.out += pair.session.out;
        pair.session.out.clear();
        WriteConnection(server, inbound);
    }
    if (pair.session.closeRequested && inbound.closeAtMs == kNoDeadline) {
        inbound.closeAtMs = nowMs + kCloseGraceMs;
        outbound.closeAtMs = nowMs + kCloseGraceMs;
    }
}

void ReportScenario(Server& server, Pair& pair) {
    if (server.options.scenarioPath.empty() || pair.scenarioReported ||
        pair.scenario.state == RunState::Running) {
        return;
    }
    pair.scenarioReported = true;
    std::string name = "scenario " + std::to_string(pair.id);
    if (pair.scenario.state == RunState::Passed) {
        Report(server, name + " passed");
    } else {
        Report(server, name + " failed at line " + std::to_string(pair.scenario.failedLine) + ": " +
                           pair.scenario.failure);
    }
}

void RunPair(Server& server, Pair& pair, std::int64_t nowMs) {
    PumpSession(pair.session, nowMs);
    std::size_t backlog = server.connections[pair.inbound].out.size();
    RunSteps(pair.scenario, pair.session, nowMs, backlog);
    ReportScenario(server, pair);
    RunSteps(pair.control, pair.session, nowMs, backlog);
    if (pair.control.state == RunState::Failed) {
        LogEvent("pair " + std::to_string(pair.id) +
                 " control command failed: " + pair.control.failure);
        pair.control = StepRunner{};
    }
    SyncPair(server, pair, nowMs);
}

}  // namespace

std::int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Report(Server& server, const std::string& line) {
    LogEvent(line);
    if (server.report == nullptr) return;
    std::fprintf(server.report, "%s\n", line.c_str());
    std::fflush(server.report);
}

void AcceptConnections(Server& server, bool inbound, std::int64_t nowMs) {
    int listener = inbound ? server.inboundListener : server.outboundListener;
    while (true) {
        int fd = accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (fd < 0) return;  // EAGAIN, or a connection that went away meanwhile
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        int id = server.nextConnectionId++;
        Connection& c = server.connections[id];
        c.id = id;
        c.fd = fd;
        c.inbound = inbound;
        c.number = inbound ? ++server.inboundCount : ++server.outboundCount;
        OpenRecording(server, c);
        LogEvent(Name(c) + " accepted");
        if (inbound) Greet(server, id, c, nowMs);
    }
}

void ReadConnection(Server& server, int id, std::int64_t nowMs) {
    Connection& c = server.connections[id];
    char buffer[64 * 1024];
    ssize_t got = recv(c.fd, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (got <= 0) {
        CloseConnection(server, id, got == 0 ? "closed by the client" : "read failed", true);
        return;
    }
    std::string_view bytes(buffer, static_cast<std::size_t>(got));
    Record(c, bytes);
    if (c.pair != 0 && !c.inbound) {
        if (!ReceiveClientBytes(server.pairs[c.pair].session, bytes, nowMs)) {
            CloseConnection(server, id, "more than the limit without \"!\"", false);
        }
        return;
    }
    LogEvent(Name(c) + " < " + Printable(bytes));
    if (c.inbound || c.answered) return;
    c.introduction.append(bytes);
    if (c.introduction.find('!') != std::string::npos) {
        Introduce(server, id, c, nowMs);
    } else if (c.introduction.size() > kIntroductionLimit) {
        CloseConnection(server, id, "introduction too long", false);
    }
}

void WriteConnection(Server& server, Connection& c) {
    std::size_t done = 0;
    while (done < c.out.size() && !c.dead) {
        ssize_t sent = send(c.fd, c.out.data() + done, c.out.size() - done, MSG_NOSIGNAL);
        if (sent > 0) {
            done += static_cast<std::size_t>(sent);
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            CloseConnection(server, c.id, "write failed", true);
        }
    }
    c.out.erase(0, done);
}

void CloseConnection(Server& server, int id, std::string_view reason, bool byClient) {
    auto it = server.connections.find(id);
    if (it == server.connections.end() || it->second.dead) return;
    Connection& c = it->second;
    c.dead = true;
    LogEvent(Name(c) + " " + std::string(reason));
    close(c.fd);
    if (c.recordFd >= 0) close(c.recordFd);
    c.fd = c.recordFd = -1;
    if (c.pair != 0) {
        auto pair = server.pairs.find(c.pair);
        if (pair != server.pairs.end()) EndPair(server, pair->second, byClient, NowMs());
    }
}

std::int64_t TickServer(Server& server, std::int64_t nowMs) {
    std::int64_t deadline = kNoDeadline;
    for (auto& [id, c] : server.connections) {
        if (c.dead || c.greetingRestMs == kNoDeadline) continue;
        if (nowMs >= c.greetingRestMs) {
            LogEvent(Name(c) + " > rest of the greeting " + Printable(c.greetingRest));
            c.out += c.greetingRest;
            c.greetingRest.clear();
            c.greetingRestMs = kNoDeadline;
            WriteConnection(server, c);
        } else {
            deadline = std::min(deadline, c.greetingRestMs);
        }
    }
    for (auto& [id, pair] : server.pairs) {
        if (pair.ended) continue;
        RunPair(server, pair, nowMs);
        if (pair.ended) continue;
        deadline = std::min({deadline, SessionDeadline(pair.session), RunnerDeadline(pair.scenario),
                             RunnerDeadline(pair.control)});
        // A generator whose output has all been written continues at once; while the
        // socket is full, POLLOUT wakes the loop instead.
        bool drained = server.connections[pair.inbound].out.empty();
        if (drained && (WaitsForOutputRoom(pair.scenario) || WaitsForOutputRoom(pair.control))) {
            deadline = nowMs;
        }
    }
    for (auto& [id, c] : server.connections) {
        if (c.dead || c.closeAtMs == kNoDeadline) continue;
        if (c.out.empty() || nowMs >= c.closeAtMs) {
            CloseConnection(server, id, "closed by the server", false);
        } else {
            deadline = std::min(deadline, c.closeAtMs);
        }
    }
    std::erase_if(server.connections, [](const auto& entry) { return entry.second.dead; });
    std::erase_if(server.pairs, [](const auto& entry) { return entry.second.ended; });
    return deadline;
}

void ApplyControlLine(Server& server, std::string_view line, std::int64_t nowMs) {
    ParsedLine parsed;
    std::string error;
    LogEvent("control: " + Printable(line));
    if (!ParseScriptLine(line, 0, server.script.common.plan, parsed, error)) {
        LogEvent("control: " + error);
        return;
    }
    if (parsed.kind == LineKind::Connection) {
        LogEvent("control: connection sections exist only in scenario files");
        return;
    }
    if (parsed.kind != LineKind::Step) return;
    auto pair = server.pairs.find(server.currentPair);
    if (pair == server.pairs.end() || pair->second.ended) {
        LogEvent("control: no connection pair");
        return;
    }
    AppendStep(pair->second.control, parsed.step);
    RunPair(server, pair->second, nowMs);
}
