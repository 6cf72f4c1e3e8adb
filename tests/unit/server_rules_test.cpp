// The development server's scenario runner: every end-to-end test trusts its verdict, so
// a runner that passed a script it should fail would hide every fault those tests look for.
#include <gtest/gtest.h>

#include "server/log.h"
#include "server/script.h"
#include "server/session.h"
#include "server/step_runner.h"

namespace {

Step ParsedStep(const std::string& line, int number = 1) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    EXPECT_TRUE(ParseScriptLine(line, number, plan, parsed, error)) << line << ": " << error;
    return parsed.step;
}

class ServerSession : public ::testing::Test {
protected:
    void SetUp() override { OpenLogFile("/dev/null"); }
    void TearDown() override { CloseLogFile(); }
};

TEST_F(ServerSession, TheRunnerPassesOrFailsAScriptByItsLines) {
    // An expect step uses up the bytes it found, across reads, and fails at its deadline,
    // on its line. (Messages waiting for their turn: every end-to-end login.)
    Session session;
    StepRunner runner;
    AppendStep(runner, ParsedStep("expect abc 100", 1));
    AppendStep(runner, ParsedStep("expect abc 100", 2));
    RunSteps(runner, session, 0, 0);
    ReceiveClientBytes(session, "xxab", 10);
    ReceiveClientBytes(session, "cyy", 20);
    RunSteps(runner, session, 20, 0);
    EXPECT_EQ(session.received, "yy");
    RunSteps(runner, session, 119, 0);
    EXPECT_EQ(runner.state, RunState::Running);
    RunSteps(runner, session, 120, 0);
    EXPECT_EQ(runner.state, RunState::Failed);
    EXPECT_EQ(runner.failedLine, 2);

    // The end of a pair judges the steps left; a lobby change before any login fails.
    const char* ended = "the connection ended before this step was done";
    const struct {
        std::vector<const char*> lines;
        bool clientClosed;
        const char* failure;  // "": passed
    } ends[] = {
        {{"expect-close 1000"}, true, ""},
        {{"expect-close 1000"}, false, ended},
        {{"wait 1000"}, true, ended},
        {{"close", "send x"}, false, ended},
        {{"close"}, false, ""},
        {{"lobby status 2001 1"}, false, "lobby: nobody has logged in on this pair"},
    };
    for (const auto& end : ends) {
        SCOPED_TRACE(end.lines[0]);
        Session pair;
        StepRunner steps;
        for (const char* line : end.lines)
            AppendStep(steps, ParsedStep(line));
        RunSteps(steps, pair, 0, 0);
        pair.clientClosed = end.clientClosed;
        FinishSteps(steps, pair, 10);
        EXPECT_EQ(steps.state, *end.failure ? RunState::Failed : RunState::Passed);
        EXPECT_EQ(steps.failure, end.failure);
        EXPECT_EQ(pair.out.find('x'), std::string::npos) << "nothing after a close";
    }
}

}  // namespace
