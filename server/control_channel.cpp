// Control channel: a FIFO or a growing file, read without blocking.
#include "server/control_channel.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OpenControlChannel(ControlChannel& channel, const std::string& path, std::string& error) {
    CloseControlChannel(channel);
    channel.path = path;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (mkfifo(path.c_str(), 0600) != 0) {
            error = "cannot create FIFO " + path + ": " + std::strerror(errno);
            return false;
        }
        channel.created = true;
    } else {
        channel.regularFile = S_ISREG(info.st_mode);
    }
    channel.fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (channel.fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        CloseControlChannel(channel);
        return false;
    }
    if (!channel.regularFile)
        channel.writerFd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    return true;
}

int ControlPollFd(const ControlChannel& channel) {
    return channel.regularFile ? -1 : channel.fd;
}

void ReadControlLines(ControlChannel& channel, std::vector<std::string>& lines) {
    if (channel.fd < 0) return;
    char buffer[4096];
    while (true) {
        ssize_t got = read(channel.fd, buffer, sizeof buffer);
        if (got <= 0) break;
        channel.partial.append(buffer, static_cast<std::size_t>(got));
    }
    std::size_t start = 0;
    for (std::size_t end; (end = channel.partial.find('\n', start)) != std::string::npos;
         start = end + 1) {
        lines.push_back(channel.partial.substr(start, end - start));
    }
    channel.partial.erase(0, start);
}

void CloseControlChannel(ControlChannel& channel) {
    if (channel.fd >= 0) close(channel.fd);
    if (channel.writerFd >= 0) close(channel.writerFd);
    if (channel.created) unlink(channel.path.c_str());
    channel = ControlChannel{};
}
