// tavlora-server: the development game server. Reads the options and the scenario, then
// serves until SIGINT or SIGTERM.
#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "server/log.h"
#include "server/server.h"

namespace {

int wakeFd = -1;  // the server's wake-up pipe, for the signal handler

void OnSignal(int) {
    StopServer(wakeFd);
}

bool BuildScript(const Options& options, Script& script, std::string& error) {
    HandshakePlan plan;
    for (const std::string& line : options.setting_lines) {
        ParsedLine parsed;
        if (!ParseScriptLine(line, 0, plan, parsed, error)) {
            error = "--" + line + ": " + error;
            return false;
        }
    }
    std::string text;
    if (!options.scenario_path.empty()) {
        std::ifstream file(options.scenario_path, std::ios::binary);
        if (!file) {
            error = "cannot read " + options.scenario_path;
            return false;
        }
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    if (!ParseScript(text, plan, script, error)) {
        error = options.scenario_path + ": " + error;
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!ParseOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "tavlora-server: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(kUsageText, stdout);
        return 0;
    }
    if (!options.log_path.empty() && !OpenLogFile(options.log_path)) {
        std::fprintf(stderr, "tavlora-server: cannot write %s\n", options.log_path.c_str());
        return 2;
    }
    Script script;
    if (!BuildScript(options, script, error)) {
        std::fprintf(stderr, "tavlora-server: %s\n", error.c_str());
        return 2;
    }

    static Server server;
    if (!StartServer(server, options, script, error)) {
        std::fprintf(stderr, "tavlora-server: %s\n", error.c_str());
        return 1;
    }
    wakeFd = server.wake_write;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Report(server, "listening " + options.address + " " + std::to_string(server.inbound_port) +
                       " " + std::to_string(server.outbound_port));
    RunServer(server);
    LogEvent("stopping");
    CloseServer(server);
    CloseLogFile();
    return 0;
}
