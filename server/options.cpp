// Command-line parsing and the --help text (which also summarises the scenario syntax).
#include "server/options.h"

#include <cstdlib>

const char kUsageText[] = R"(Usage: tavlora-server [options]

Development game server for the Tavlora hub: greets on the inbound port, pairs the
introduction on the outbound port, numbers its messages and waits for each
acknowledgement, answers logins with demo accounts and a generated lobby.

Options:
  --address <ipv4>        listen address (default 127.0.0.1)
  --inbound-port <n>      greeting port (default 3556; 0 = any free port)
  --outbound-port <n>     introduction port (default 3555; 0 = any free port)
  --version <n>           version in the greeting (default 73)
  --token <text>          the same token for every connection (default: a new one each)
  --greeting "<how>"      normal | none | close | long <n> | raw <bytes> | split <k> <ms>
  --answer "<how>"        normal | refuse | none | close | raw <bytes>
  --no-ack-wait           send numbered messages without waiting for acknowledgements
  --no-replies            do not answer logins and clock requests
  --lobby-changes <ms>    after a login, change the lobby at random every <ms>
  --private-messages <ms> after a login, an online contact writes a private message
                          every <ms>
  --presence-storm <n>    after a login, <n> presence changes per second (1 to 1000),
                          half of them the player's contacts
  --scenario <file>       run a scenario for every connection pair
  --control <path>        read commands from this FIFO (created if missing) or file
  --record <dir>          write the bytes received to <dir>/conn<k>-<port>.bin
  --log <file>            log to a file instead of stderr
  --help                  this text

Prints "listening <address> <inbound port> <outbound port>" when ready, then
"pair <k> connected", "pair <k> closed" and, with --scenario,
"scenario <k> passed" or "scenario <k> failed at line <l>: <reason>".

Scenario lines (also accepted on the control channel; full text in SCENARIOS.md):
  # comment                 whole-line comments only
  greeting ...              as --greeting;  version <n>;  token <text>
  answer ...                as --answer
  connection <k>            the lines that follow apply to the k-th connection only
  send <bytes>              raw bytes on the inbound connection
  message <type>,<fields>   numbered message ("<n>," in front, ",!" appended)
  trickle <ms> <bytes>      one byte every <ms>
  wait <ms>
  expect <bytes> [<ms>]     the client sends these bytes (default 5000 ms)
  expect-close [<ms>]       the client closes the connection
  ack on|off|duplicate|wrong|late <ms>   how client messages are acknowledged
  ackwait on|off            wait for acknowledgements before the next message
  replies on|off            answer logins and clock requests
  close                     close both connections of the pair
  garbage <n>               n pseudo-random bytes (fixed seed)
  big <n>                   n bytes without "!"
  lobby <change> ...        change the pair's lobby and tell the client: random [<n>],
                            every <ms>, player-in, player-out, status, enter, leave,
                            room-state, room-add, room-remove, table-open, table-join,
                            seat-leave, table-close, contact, contact-remove, room-text,
                            table-text, join-request, join-count, join-result,
                            private, ignores (arguments in SCENARIOS.md)
Bytes: the rest of the line, or "quoted" (for expect: one word or quoted);
escapes \xNN \\ \" \r \n \t \0 \s (space).
Control channel only: the commands apply to the most recent pair; settings
apply to the connections that follow.
)";

namespace {

bool ParsePort(const std::string& text, std::uint16_t& port) {
    if (text.empty() || text.size() > 5) return false;
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (value > 65535) return false;
    port = static_cast<std::uint16_t>(value);
    return true;
}

// A decimal number from `lowest` to `highest`, the whole text.
bool ParseNumber(const std::string& text, long long lowest, long long highest, long long& number) {
    char* end = nullptr;
    number = std::strtoll(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && number >= lowest && number <= highest;
}

}  // namespace

bool ParseOptions(const std::vector<std::string>& arguments, Options& options, std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = option + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--no-ack-wait") {
            options.ackWait = false;
        } else if (option == "--no-replies") {
            options.replies = false;
        } else if (option == "--address") {
            if (!value(options.address)) return false;
        } else if (option == "--inbound-port" || option == "--outbound-port") {
            if (!value(text)) return false;
            std::uint16_t& port =
                option == "--inbound-port" ? options.inboundPort : options.outboundPort;
            if (!ParsePort(text, port)) {
                error = option + ": not a port: " + text;
                return false;
            }
        } else if (option == "--version" || option == "--token" || option == "--greeting" ||
                   option == "--answer") {
            if (!value(text)) return false;
            options.settingLines.push_back(option.substr(2) + " " + text);
        } else if (option == "--lobby-changes" || option == "--private-messages") {
            long long ms = 0;
            if (!value(text)) return false;
            if (!ParseNumber(text, 0, 86400000, ms)) {
                error = option + ": not a time in ms: " + text;
                return false;
            }
            (option == "--lobby-changes" ? options.lobbyEveryMs : options.privateEveryMs) = ms;
        } else if (option == "--presence-storm") {
            long long rate = 0;
            if (!value(text)) return false;
            if (!ParseNumber(text, 1, 1000, rate)) {
                error = option + ": not a rate from 1 to 1000: " + text;
                return false;
            }
            options.stormPerSecond = static_cast<std::int32_t>(rate);
        } else if (option == "--scenario") {
            if (!value(options.scenarioPath)) return false;
        } else if (option == "--control") {
            if (!value(options.controlPath)) return false;
        } else if (option == "--record") {
            if (!value(options.recordDir)) return false;
        } else if (option == "--log") {
            if (!value(options.logPath)) return false;
        } else {
            error = "unknown option: " + option;
            return false;
        }
    }
    return true;
}
