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
    for (const std::string& line : options.settingLines) {
        ParsedLine parsed;
        if (!ParseScriptLine(line, 0, plan, parsed, error)) {
            error = "--" + line + ": " + error;
            return false;
        }
    }
    std::string text;
    if (!options.scenarioPath.empty()) {
        std::ifstream file(options.scenarioPath, std::ios::binary);
        if (!file) {
            error = "cannot read " + options.scenarioPath;
            return false;
        }
        std::ostringstream content;
        content << file.rdbuf();
        text = content.str();
    }
    if (!ParseScript(text, plan, script, error)) {
        error = options.scenarioPath + ": " + error;
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
    if (!options.logPath.empty() && !OpenLogFile(options.logPath)) {
        std::fprintf(stderr, "tavlora-server: cannot write %s\n", options.logPath.c_str());
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
    wakeFd = server.wakeWrite;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    Report(server, "listening " + options.address + " " + std::to_string(server.inboundPort) + " " +
                       std::to_string(server.outboundPort));
    RunServer(server);
    LogEvent("stopping");
    CloseServer(server);
    CloseLogFile();
    return 0;
}
