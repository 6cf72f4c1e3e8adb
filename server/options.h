// Command line of tavlora-server.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Options {
    std::string address = "127.0.0.1";
    std::uint16_t inbound_port = 3556;  // 0: any free port (the server's own tests)
    std::uint16_t outbound_port = 3555;
    std::vector<std::string>
        setting_lines;  // --version, --token, --greeting, --answer as script lines
    bool ack_wait = true;
    bool replies = true;
    std::int64_t lobby_every_ms = 0;    // a random lobby change this often after login
    std::int32_t storm_per_second = 0;  // presence changes per second after login (0: none)
    std::int64_t private_every_ms = 0;  // a contact's private message this often
    std::string scenario_path;
    std::string control_path;
    std::string record_dir;
    std::string log_path;
    bool help = false;
};

// False with `error` for an unknown option or a missing or bad value.
bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error);

extern const char kUsageText[];
