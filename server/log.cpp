// Event log of the development server. Single-threaded use; every line is flushed so a
// test that reads the log while the server runs sees complete lines.
#include "server/log.h"

#include <chrono>
#include <cstdio>

namespace {

FILE* logFile = nullptr;  // nullptr: stderr
const auto logStart = std::chrono::steady_clock::now();

}  // namespace

bool OpenLogFile(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "a");
    if (file == nullptr) return false;
    CloseLogFile();
    logFile = file;
    return true;
}

void CloseLogFile() {
    if (logFile != nullptr) std::fclose(logFile);
    logFile = nullptr;
}

void LogEvent(std::string_view text) {
    FILE* out = logFile != nullptr ? logFile : stderr;
    auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - logStart);
    std::fprintf(out, "%8lld %.*s\n", static_cast<long long>(elapsed.count()),
                 static_cast<int>(text.size()), text.data());
    std::fflush(out);
}
