// Event log of the development server: one line per event, to stderr or to a file.
#pragma once

#include <string>
#include <string_view>

// Sends the log to `path` (appending) instead of stderr; false when it cannot be opened.
bool OpenLogFile(const std::string& path);
void CloseLogFile();
// One line, prefixed with the milliseconds since the program started.
void LogEvent(std::string_view text);
