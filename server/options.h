// Command line of tavlora-server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Options {
    std::string address = "127.0.0.1";
    std::uint16_t inboundPort = 3556;  // 0: any free port (the server's own tests)
    std::uint16_t outboundPort = 3555;
    std::vector<std::string>
        settingLines;  // --version, --token, --greeting, --answer as script lines
    bool ackWait = true;
    bool replies = true;
    std::int64_t lobbyEveryMs = 0;    // a random lobby change this often after login
    std::int32_t stormPerSecond = 0;  // presence changes per second after login (0: none)
    std::int64_t privateEveryMs = 0;  // a contact's private message this often
    std::string scenarioPath;
    std::string controlPath;
    std::string recordDir;
    std::string logPath;
    bool help = false;
};

// False with `error` for an unknown option or a missing or bad value.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

extern const char kUsageText[];
