// Command lines from a test, read at any time: from a FIFO (created when the path does
// not exist) or from a regular file that the test appends to.
#pragma once

#include <string>
#include <vector>

struct ControlChannel {
    int fd = -1;
    int writerFd = -1;  // our own writer keeps a FIFO from reporting end-of-file
    bool created = false;
    bool regularFile = false;
    std::string path;
    std::string partial;  // text after the last newline
};

// How often a regular file is looked at for new lines (a FIFO wakes the loop itself).
inline constexpr int kControlFilePollMs = 50;

bool OpenControlChannel(ControlChannel& channel, const std::string& path, std::string& error);
// The descriptor to wait on, or -1 (closed, or a regular file).
int ControlPollFd(const ControlChannel& channel);
// Reads what has arrived; complete lines (without their newline) go to `lines`.
void ReadControlLines(ControlChannel& channel, std::vector<std::string>& lines);
// Closes it and removes a FIFO that OpenControlChannel created.
void CloseControlChannel(ControlChannel& channel);
