// Listening sockets and the poll loop. Nothing here spins: poll sleeps until a socket,
// the control channel or the wake-up pipe has something, or the earliest deadline.
#include "server/server.h"

#include <arpa/inet.h>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

#include "server/log.h"

namespace {

int Listen(const std::string& address, std::uint16_t port, std::uint16_t& bound,
           std::string& error) {
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_port = htons(port);
    if (inet_pton(AF_INET, address.c_str(), &where.sin_addr) != 1) {
        error = "not an IPv4 address: " + address;
        return -1;
    }
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 || listen(fd, 16) != 0) {
        error = "cannot listen on " + address + " port " + std::to_string(port) + ": " +
                std::strerror(errno);
        close(fd);
        return -1;
    }
    socklen_t length = sizeof where;
    getsockname(fd, reinterpret_cast<sockaddr*>(&where), &length);
    bound = ntohs(where.sin_port);
    return fd;
}

int PollTimeout(std::int64_t deadline, std::int64_t nowMs) {
    if (deadline == kNoDeadline) return -1;
    std::int64_t wait = deadline - nowMs;
    if (wait < 0) return 0;
    return wait > INT_MAX ? INT_MAX : static_cast<int>(wait);
}

void ReadControl(Server& server) {
    std::vector<std::string> lines;
    ReadControlLines(server.control, lines);
    for (const std::string& line : lines)
        ApplyControlLine(server, line, NowMs());
}

}  // namespace

bool StartServer(Server& server, const Options& options, const Script& script, std::string& error) {
    server.options = options;
    server.script = script;
    server.inboundListener =
        Listen(options.address, options.inboundPort, server.inboundPort, error);
    if (server.inboundListener < 0) return false;
    server.outboundListener =
        Listen(options.address, options.outboundPort, server.outboundPort, error);
    if (server.outboundListener < 0) {
        CloseServer(server);
        return false;
    }
    int wake[2];
    if (pipe2(wake, O_NONBLOCK | O_CLOEXEC) != 0) {
        error = std::string("pipe: ") + std::strerror(errno);
        CloseServer(server);
        return false;
    }
    server.wakeRead = wake[0];
    server.wakeWrite = wake[1];
    if (!options.controlPath.empty() &&
        !OpenControlChannel(server.control, options.controlPath, error)) {
        CloseServer(server);
        return false;
    }
    if (server.control.regularFile) server.controlPollMs = NowMs();
    return true;
}

void RunServer(Server& server) {
    std::vector<pollfd> polled;
    std::vector<int> ids;  // connection id of each polled entry after the fixed ones
    while (true) {
        std::int64_t now = NowMs();
        if (now >= server.controlPollMs) {
            ReadControl(server);
            server.controlPollMs = now + kControlFilePollMs;
        }
        std::int64_t deadline = std::min(TickServer(server, now), server.controlPollMs);

        polled.clear();
        ids.clear();
        polled.push_back({server.wakeRead, POLLIN, 0});
        polled.push_back({server.inboundListener, POLLIN, 0});
        polled.push_back({server.outboundListener, POLLIN, 0});
        polled.push_back({ControlPollFd(server.control), POLLIN, 0});  // -1 is skipped by poll
        const std::size_t fixed = polled.size();
        for (const auto& [id, c] : server.connections) {
            short events = POLLIN;
            if (!c.out.empty()) events |= POLLOUT;
            polled.push_back({c.fd, events, 0});
            ids.push_back(id);
        }

        if (poll(polled.data(), polled.size(), PollTimeout(deadline, NowMs())) < 0) {
            if (errno == EINTR) continue;
            LogEvent(std::string("poll failed: ") + std::strerror(errno));
            return;
        }
        if (polled[0].revents != 0) return;
        now = NowMs();
        if (polled[1].revents != 0) AcceptConnections(server, true, now);
        if (polled[2].revents != 0) AcceptConnections(server, false, now);
        if (polled[3].revents != 0) ReadControl(server);
        for (std::size_t i = fixed; i < polled.size(); ++i) {
            auto it = server.connections.find(ids[i - fixed]);
            if (it == server.connections.end() || it->second.dead) continue;
            if (polled[i].revents & POLLOUT) WriteConnection(server, it->second);
            if (polled[i].revents & (POLLIN | POLLHUP | POLLERR)) {
                ReadConnection(server, ids[i - fixed], now);
            }
        }
    }
}

void StopServer(int wakeWriteFd) {
    char byte = 1;
    ssize_t ignored = write(wakeWriteFd, &byte, 1);
    (void)ignored;
}

void CloseServer(Server& server) {
    for (auto& [id, c] : server.connections) {
        if (c.fd >= 0) close(c.fd);
        if (c.recordFd >= 0) close(c.recordFd);
    }
    server.connections.clear();
    server.pairs.clear();
    for (int* fd :
         {&server.inboundListener, &server.outboundListener, &server.wakeRead, &server.wakeWrite}) {
        if (*fd >= 0) close(*fd);
        *fd = -1;
    }
    CloseControlChannel(server.control);
}
