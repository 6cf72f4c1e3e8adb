// Executes scenario steps and control commands against one pair's session, in order: a
// step that has to wait (for time, for its message's turn, for client bytes) holds back
// the ones after it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "server/script.h"
#include "server/session.h"

enum class RunState { Running, Passed, Failed };

struct StepRunner {
    std::vector<Step> steps;
    std::size_t next = 0;               // the current step
    bool started = false;               // the current step has begun
    std::int64_t wakeMs = kNoDeadline;  // the current step's next action or deadline
    std::uint64_t ticket = 0;
    std::int64_t progress = 0;
    std::uint32_t randomState = 0;
    RunState state = RunState::Running;
    int failedLine = 0;
    std::string failure;
};

// Runs steps until one has to wait or all are done. `backlog` is the number of bytes still
// unwritten on the inbound connection: large outputs are produced as it drains.
void RunSteps(StepRunner& runner, Session& session, std::int64_t nowMs, std::size_t backlog);

// The pair has ended: a runner that still has steps fails, unless its current step was
// waiting for the client to close and that has happened.
void FinishSteps(StepRunner& runner, Session& session, std::int64_t nowMs);

// Control commands arrive one at a time while a runner may already be done.
void AppendStep(StepRunner& runner, const Step& step);

std::int64_t RunnerDeadline(const StepRunner& runner);

// The current step produces output as the inbound connection drains (garbage, big).
bool WaitsForOutputRoom(const StepRunner& runner);
