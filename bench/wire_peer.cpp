// Stand-in server for the loopback round-trip benchmarks under Wine: runs the hub's
// two-port handshake, then acknowledges the hub's messages (ack) or times how fast the
// hub acknowledges messages of its own (latency); also a plain TCP echo (echo) as the
// raw ping-pong floor. `hub` is the development server's own session (login, demo lobby,
// random lobby changes) for the real Tavlora.exe, timing its acknowledgements of clock
// messages. Prints "listening" once its ports are open, results at the end.
#include <netinet/in.h>
#include <poll.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "bench/latency_summary.h"
#include "net/names.h"
#include "net/text_convert.h"
#include "net/wire.h"
#include "server/lobby_live.h"
#include "server/log.h"
#include "server/session.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kToken = "bench";
constexpr int kLatencyWarmUp = 50;  // first messages pay for Wine loading code pages

int Listen(std::uint16_t port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 4) != 0) {
        std::perror("listen");
        std::exit(2);
    }
    return fd;
}

// The development server turns Nagle off on its connections; so does this peer, so the
// figures show the hub's own delays and not the peer's.
int Accept(int listener) {
    int fd = accept(listener, nullptr, nullptr);
    if (fd < 0) {
        std::perror("accept");
        std::exit(2);
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    return fd;
}

void Write(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

// Appends what one read brings; false when the peer closed or the read failed.
bool ReadMore(int fd, std::string& carry) {
    char buffer[4096];
    ssize_t received = recv(fd, buffer, sizeof buffer, 0);
    if (received <= 0) return false;
    carry.append(buffer, static_cast<std::size_t>(received));
    return true;
}

// Reads until `carry` holds a "!"-ended line and takes it out.
bool ReadLine(int fd, std::string& carry, std::string& line) {
    std::size_t bang;
    while ((bang = carry.find('!')) == std::string::npos)
        if (!ReadMore(fd, carry)) return false;
    line = carry.substr(0, bang + 1);
    carry.erase(0, bang + 1);
    return true;
}

struct Link {
    int inbound;   // 3556: this peer writes
    int outbound;  // 3555: the hub writes
    std::string carry;
};

Link Handshake() {
    int inboundListener = Listen(kInboundPort);
    int outboundListener = Listen(kOutboundPort);
    std::printf("listening\n");
    std::fflush(stdout);

    Link link{Accept(inboundListener), -1, {}};
    std::string line, greetingCarry;
    Write(link.inbound, IntToText(kClientVersion) + "," + std::string(kToken) + ",!");
    if (!ReadLine(link.inbound, greetingCarry, line) || line != kHandshakeAccepted) {
        std::fprintf(stderr, "handshake: bad reply on %d: %s\n", kInboundPort, line.c_str());
        std::exit(3);
    }
    link.outbound = Accept(outboundListener);
    if (!ReadLine(link.outbound, link.carry, line) || line != ComposeIntroduction(kToken)) {
        std::fprintf(stderr, "handshake: bad introduction: %s\n", line.c_str());
        std::exit(3);
    }
    Write(link.outbound, kHandshakeAccepted);
    close(inboundListener);
    close(outboundListener);
    return link;
}

// Takes the complete messages out of `link.carry`: acknowledges each numbered one at once
// (in one write) and calls onAck(n) for each acknowledgement "2,n,!". Returns how many
// numbered messages were acknowledged.
template <class OnAck>
int AnswerMessages(Link& link, OnAck&& onAck) {
    const std::size_t end = link.carry.rfind('!');
    if (end == std::string::npos) return 0;
    std::string acks;
    int numbered = 0;
    FieldList fields;
    ForEachMessage(std::string_view(link.carry).substr(0, end + 1), [&](std::string_view m) {
        SplitFields(m, fields);
        if (fields.size() == 2 && fields[0] == "2") {
            onAck(TextToInt(fields[1]));
        } else if (fields.size() > 2) {
            acks += ComposeAck(TextToInt(fields[0]));
            ++numbered;
        }
    });
    link.carry.erase(0, end + 1);
    if (!acks.empty()) Write(link.inbound, acks);
    return numbered;
}

double Seconds(Clock::duration span) {
    return std::chrono::duration<double>(span).count();
}

// Acknowledges the hub's messages until it closes its outbound connection.
int RunAck() {
    Link link = Handshake();
    int total = 0;
    Clock::time_point first{}, last{};
    while (ReadMore(link.outbound, link.carry)) {
        const int answered = AnswerMessages(link, [](int) {});
        if (answered == 0) continue;
        last = Clock::now();
        if (total == 0) first = last;
        total += answered;
    }
    std::printf("ack messages=%d seconds=%.6f\n", total, Seconds(last - first));
    return 0;
}

// Sends `count` numbered messages one at a time and times each from its write until the
// hub's acknowledgement of it has been read.
int RunLatency(int count, int payloadBytes) {
    Link link = Handshake();
    const std::string payload(static_cast<std::size_t>(payloadBytes), 'x');
    std::vector<double> micros;
    micros.reserve(static_cast<std::size_t>(count));
    const Clock::time_point start = Clock::now();
    for (int k = 1; k <= kLatencyWarmUp + count; ++k) {
        if (k == kLatencyWarmUp + 1) micros.clear();
        const std::string message = IntToText(k) + ",99," + payload + ",!";
        bool acknowledged = false;
        const Clock::time_point sent = Clock::now();
        Write(link.inbound, message);
        while (!acknowledged) {
            if (!ReadMore(link.outbound, link.carry)) {
                std::fprintf(stderr, "latency: connection lost at message %d\n", k);
                return 4;
            }
            AnswerMessages(link, [&](int n) { acknowledged = acknowledged || n == k; });
        }
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - sent).count());
    }
    const double seconds = Seconds(Clock::now() - start);
    close(link.inbound);
    close(link.outbound);

    std::printf("latency count=%d payload=%d %s rate=%.0f\n", count, payloadBytes,
                LatencySummary(micros).c_str(), (kLatencyWarmUp + count) / seconds);
    return 0;
}

std::int64_t Micros(Clock::time_point t) {
    return std::chrono::duration_cast<std::chrono::microseconds>(t.time_since_epoch()).count();
}

// One phase of `count` clock messages (type 10, which the hub dispatches and answers with
// nothing but its acknowledgement), each queued once the one before is acknowledged, so the
// session's own lobby changes go out between them. Each is timed from the write that
// carried its last byte to the read that brought its acknowledgement.
struct ClockPings {
    explicit ClockPings(int count) : left(count) {}
    int left;
    std::uint64_t ticket = 0;   // the queued clock message's; 0: none queued
    std::int32_t number = 0;    // its number once written
    Clock::time_point written;  // when
    std::vector<double> micros;
};

void QueuePingIfIdle(Session& session, ClockPings& pings) {
    if (pings.ticket != 0 || pings.left == 0 || !session.queue.empty()) return;
    pings.ticket = QueueMessage(session, ClockMessage());
    --pings.left;
}

// Writes what the session has for the hub; notes when the clock message went out.
void Flush(Link& link, Session& session, ClockPings& pings) {
    if (session.out.empty()) return;
    Write(link.inbound, session.out);
    const Clock::time_point now = Clock::now();
    session.out.clear();
    if (pings.ticket != 0 && pings.number == 0 && session.sentCount >= pings.ticket) {
        pings.number = session.lastSent;
        pings.written = now;
    }
}

// Serves the session until the phase's messages are all acknowledged (with `untilGo`, until
// a line comes on standard input instead); false when the hub went away.
bool RunPhase(Link& link, Session& session, ClockPings& pings, bool untilGo = false) {
    while (untilGo || pings.left > 0 || pings.ticket != 0) {
        const std::int64_t nowMs = Micros(Clock::now()) / 1000;
        PumpSession(session, nowMs);
        if (session.lobby && session.lastAcked == session.lastSent) QueuePingIfIdle(session, pings);
        PumpSession(session, nowMs);
        Flush(link, session, pings);
        const std::int64_t deadline = SessionDeadline(session);
        pollfd polled[2] = {{link.outbound, POLLIN, 0}, {untilGo ? 0 : -1, POLLIN, 0}};
        const int wait =
            deadline == kNoDeadline
                ? 1000
                : static_cast<int>(std::clamp<std::int64_t>(deadline - nowMs, 0, 1000));
        if (poll(polled, 2, wait) <= 0) continue;
        if (polled[1].revents != 0) {
            std::string line;
            for (char c = 0; c != '\n' && read(0, &c, 1) == 1;)
                line += c;
            return true;
        }
        if (polled[0].revents == 0) continue;
        char buffer[4096];
        const ssize_t received = recv(link.outbound, buffer, sizeof buffer, 0);
        const Clock::time_point arrived = Clock::now();
        if (received <= 0) return false;
        ReceiveClientBytes(session, std::string_view(buffer, static_cast<std::size_t>(received)),
                           Micros(arrived) / 1000);
        if (pings.number != 0 && session.lastAcked >= pings.number) {
            pings.micros.push_back(
                std::chrono::duration<double, std::micro>(arrived - pings.written).count());
            pings.ticket = 0;
            pings.number = 0;
        }
        Flush(link, session, pings);
    }
    return true;
}

// The development server's session for the real hub: waits for its login, then times
// `count` clock messages with the lobby idle and `count` more with a random lobby change
// every `everyMs`.
int RunHub(int count, int everyMs) {
    Link link = Handshake();
    OpenLogFile("/dev/null");
    Session session;
    session.id = 1;
    if (!link.carry.empty()) ReceiveClientBytes(session, link.carry, Micros(Clock::now()) / 1000);
    ClockPings none(0);
    std::printf("connected\n");
    std::fflush(stdout);
    if (!RunPhase(link, session, none, true)) return 4;
    for (int phase = 0; phase < 2; ++phase) {
        session.lobbyEveryMs = phase == 0 ? 0 : everyMs;
        session.nextLobbyChangeMs = kNoDeadline;
        ClockPings warmUp(kLatencyWarmUp);
        ClockPings pings(count);
        const std::uint64_t before = session.sentCount;
        if (!RunPhase(link, session, warmUp) || !RunPhase(link, session, pings)) {
            std::fprintf(stderr, "hub: connection lost in phase %d\n", phase);
            return 4;
        }
        std::printf("hub lobby_every_ms=%lld count=%d others=%llu %s\n",
                    static_cast<long long>(session.lobbyEveryMs), count,
                    static_cast<unsigned long long>(session.sentCount - before) -
                        static_cast<unsigned long long>(count + kLatencyWarmUp),
                    LatencySummary(pings.micros).c_str());
        std::fflush(stdout);
    }
    close(link.inbound);
    close(link.outbound);
    return 0;
}

// Echoes everything of one connection back until it closes.
int RunEcho(std::uint16_t port) {
    int listener = Listen(port);
    std::printf("listening\n");
    std::fflush(stdout);
    int fd = Accept(listener);
    close(listener);
    char buffer[65536];
    ssize_t received;
    long long total = 0;
    while ((received = recv(fd, buffer, sizeof buffer, 0)) > 0) {
        Write(fd, std::string_view(buffer, static_cast<std::size_t>(received)));
        total += received;
    }
    close(fd);
    std::printf("echo bytes=%lld\n", total);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: wire_peer ack\n"
                 "       wire_peer latency <count> <payload bytes>\n"
                 "       wire_peer echo <port>\n"
                 "       wire_peer hub <count> <lobby change every ms>\n");
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "ack" && argc == 2) return RunAck();
    if (mode == "latency" && argc == 4 && std::atoi(argv[2]) > 0 && std::atoi(argv[3]) >= 0)
        return RunLatency(std::atoi(argv[2]), std::atoi(argv[3]));
    if (mode == "echo" && argc == 3 && std::atoi(argv[2]) > 0)
        return RunEcho(static_cast<std::uint16_t>(std::atoi(argv[2])));
    if (mode == "hub" && argc == 4 && std::atoi(argv[2]) > 0 && std::atoi(argv[3]) > 0)
        return RunHub(std::atoi(argv[2]), std::atoi(argv[3]));
    return Usage();
}
