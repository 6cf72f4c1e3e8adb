// The probe's commands. Each takes its arguments (UTF-8, command name removed), prints
// JSON lines on stdout and returns the exit code: 0 ok, 1 not found / timeout / failed,
// 2 usage.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using ProbeArgs = std::vector<std::string>;

// The exit codes.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

// How long the wait commands wait when no time is given.
inline constexpr std::int64_t kDefaultWaitMs = 10000;

int ListCommand(const ProbeArgs& args);
int WaitCommand(const ProbeArgs& args);
int WaitVisibleCommand(const ProbeArgs& args);
int WaitGoneCommand(const ProbeArgs& args);
int PostCommand(const ProbeArgs& args);
int SendCommand(const ProbeArgs& args);
int CopyDataCommand(const ProbeArgs& args);
int TestCommandCommand(const ProbeArgs& args);
int ClickCommand(const ProbeArgs& args);
int SetTextCommand(const ProbeArgs& args);
int GetTextCommand(const ProbeArgs& args);
int KeyCommand(const ProbeArgs& args);
int FocusCommand(const ProbeArgs& args);
int MoveCommand(const ProbeArgs& args);
int ShowCommand(const ProbeArgs& args);
int RedrawCommand(const ProbeArgs& args);
int ScreenCommand(const ProbeArgs& args);
int PidCommand(const ProbeArgs& args);
// probe_peer_win.cpp
int ClaimCommand(const ProbeArgs& args);
int PostCodesCommand(const ProbeArgs& args);
int ResourcesCommand(const ProbeArgs& args);

// Writes one line (a line end is added) to stdout at once.
void PrintLine(const std::string& line);
