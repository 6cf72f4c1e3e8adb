// The development server's protocol state: numbering and stop-and-wait, acknowledgements
// of client messages, the login and clock replies, and the step executor.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "net/wire.h"
#include "server/log.h"
#include "server/session.h"
#include "server/step_runner.h"

namespace {

class ServerSession : public ::testing::Test {
protected:
    void SetUp() override { OpenLogFile("/dev/null"); }
    void TearDown() override { CloseLogFile(); }

    // Takes what the session wrote, as messages without their "!".
    static std::vector<std::string> Take(Session& session) {
        std::vector<std::string> messages;
        ForEachMessage(session.out, [&](std::string_view piece) { messages.emplace_back(piece); });
        EXPECT_EQ(messages.back(), "") << "output does not end with \"!\"";
        messages.pop_back();
        session.out.clear();
        return messages;
    }

    static std::string Login(std::string_view user_comma_password, int number = 1) {
        return IntToText(number) + ",11," + Base64Encode(user_comma_password) + ",!";
    }
};

int TypeOf(const std::string& message) {
    return TextToInt(SplitFields(message)[1]);
}

TEST_F(ServerSession, LoginResultsFromTheAccountTable) {
    struct Case {
        const char* text;
        int result;
        std::string account_data;  // fields of type 13 after the number and type
    } cases[] = {
        {"demo,demo1234", 5, "1001,1,0"},
        {"admin,admin1234", 5, "1002,1,1"},
        {"deutsch,deutsch1", 5, "1003,2,0"},
        {"suspended,suspend1", 3, ""},
        {"inactive,inactive1", 4, ""},
        {"demo,wrong", 2, ""},
        {"demo,demo1234,", 2, ""},
        {"nobody,demo1234", 2, ""},
        {"demo", 2, ""},
        {"", 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Session session;
        session.ack_wait = false;
        ASSERT_TRUE(ReceiveClientBytes(session, Login(c.text), 0));
        std::vector<std::string> messages = Take(session);
        ASSERT_GE(messages.size(), 2u);
        EXPECT_EQ(messages[0], "2,1,");
        EXPECT_EQ(messages[1], "1,11," + IntToText(c.result) + ",");
        if (c.result != 5) {
            EXPECT_EQ(messages.size(), 2u);
            continue;
        }
        ASSERT_GE(messages.size(), 6u);
        EXPECT_EQ(messages[2], "2,13," + c.account_data + ",");
        EXPECT_EQ(messages[3], "3,14,12345,99999,7,");
        EXPECT_EQ(messages.back(), IntToText(static_cast<int>(messages.size()) - 1) + ",15,0,");
        // News, then the lobby lists in this order, each type possibly over several messages.
        std::vector<int> order;
        for (std::size_t i = 4; i + 1 < messages.size(); ++i) {
            int type = TypeOf(messages[i]);
            if (order.empty() || order.back() != type) order.push_back(type);
        }
        EXPECT_EQ(order, (std::vector<int>{91, 21, 31, 32, 51, 71, 72}));
    }
}

TEST_F(ServerSession, WaitsForEachAcknowledgement) {
    Session session;
    ReceiveClientBytes(session, Login("demo,demo1234"), 0);
    EXPECT_EQ(Take(session), (std::vector<std::string>{"2,1,", "1,11,5,"}));

    struct Step {
        const char* client;
        std::vector<std::string> server;
    } steps[] = {
        {"2,2,!", {}},                  // not yet sent: ignored
        {"2,0,!", {}},                  // older than anything outstanding
        {"2,1,!", {"2,13,1001,1,0,"}},  // releases exactly one message
        {"2,1,!", {}},                  // repeated
        {"2,2,!", {"3,14,12345,99999,7,"}},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.client);
        ReceiveClientBytes(session, step.client, 0);
        EXPECT_EQ(Take(session), step.server);  // an acknowledgement is never acknowledged
    }
}

TEST_F(ServerSession, AcknowledgesEveryNumberedMessage) {
    struct Case {
        const char* client;
        std::vector<std::string> server;
    } cases[] = {
        {"1,1,0,!", {"2,1,"}},   // keep-alive
        {"4,99,x,!", {"2,4,"}},  // unknown type
        {"5,32,7,!", {"2,5,"}},  // known, not acted on
        {"7,3,!", {}},           // two fields, not "2"
        {"7,!", {}},
        {"!", {}},
        {"1,1,0,!2,1,0,!", {"2,1,", "2,2,"}},  // two in one read
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.client);
        Session session;
        ReceiveClientBytes(session, c.client, 0);
        EXPECT_EQ(Take(session), c.server);
    }
}

TEST_F(ServerSession, ReassemblesMessagesSplitOverReads) {
    Session session;
    for (const char* piece : {"1,1,", "0,!2,", "1,0,!3", ",1,0", ",!"}) {
        ReceiveClientBytes(session, piece, 0);
    }
    EXPECT_EQ(Take(session), (std::vector<std::string>{"2,1,", "2,2,", "2,3,"}));
    EXPECT_EQ(session.last_client_number, 3);
}

TEST_F(ServerSession, AnswersTheClockWithNineItems) {
    Session session;
    ReceiveClientBytes(session, "1,10,0,!", 0);
    std::vector<std::string> messages = Take(session);
    ASSERT_EQ(messages.size(), 2u);
    FieldList fields = SplitFields(messages[1]);
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[1], "10");
    std::vector<std::string_view> items = SplitItems(fields[2]);
    ASSERT_EQ(items.size(), 9u);
    for (std::string_view item : items)
        EXPECT_EQ(IntToText(TextToInt(item)), item);
    EXPECT_LT(TextToInt(items[4]), 12);  // month from 0

    std::tm moment{};
    moment.tm_sec = 5;
    moment.tm_min = 4;
    moment.tm_hour = 23;
    moment.tm_mday = 31;
    moment.tm_mon = 11;
    moment.tm_year = 124;
    moment.tm_wday = 2;
    moment.tm_yday = 365;
    moment.tm_isdst = 0;
    EXPECT_EQ(ClockField(moment), "5:4:23:31:11:124:2:365:0");
}

TEST_F(ServerSession, AcknowledgementModes) {
    struct Case {
        AckMode mode;
        std::vector<std::string> at_once;
        std::vector<std::string> later;
    } cases[] = {
        {AckMode::Normal, {"2,3,"}, {}},
        {AckMode::Off, {}, {}},
        {AckMode::Duplicate, {"2,3,", "2,3,"}, {}},
        {AckMode::Wrong, {"2,4,"}, {}},
        {AckMode::Late, {}, {"2,3,"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        Session session;
        session.ack_mode = c.mode;
        session.ack_delay_ms = 100;
        ReceiveClientBytes(session, "3,1,0,!", 1000);
        EXPECT_EQ(Take(session), c.at_once);
        PumpSession(session, 1099);
        EXPECT_EQ(Take(session), std::vector<std::string>{});
        EXPECT_EQ(SessionDeadline(session), c.later.empty() ? kNoDeadline : 1100);
        PumpSession(session, 1100);
        EXPECT_EQ(Take(session), c.later);
    }
}

TEST_F(ServerSession, RepliesOffStillAcknowledges) {
    Session session;
    session.replies = false;
    ReceiveClientBytes(session, Login("demo,demo1234"), 0);
    EXPECT_EQ(Take(session), std::vector<std::string>{"2,1,"});
}

TEST_F(ServerSession, DropsAClientThatNeverEndsAMessage) {
    Session session;
    session.reader.limit = 10;
    EXPECT_TRUE(ReceiveClientBytes(session, "1,1,0,!0123456789", 0));
    EXPECT_FALSE(ReceiveClientBytes(session, "x", 0));
}

// --- Steps ---

Step MakeStep(StepKind kind, std::string bytes = {}, std::int64_t amount = 0, int line = 1) {
    Step step;
    step.kind = kind;
    step.bytes = std::move(bytes);
    step.amount = amount;
    step.line = line;
    return step;
}

TEST_F(ServerSession, MessageStepsWaitForTheirTurn) {
    Session session;
    StepRunner runner;
    runner.steps = {MakeStep(StepKind::Message, "12,0,!"), MakeStep(StepKind::Message, "16,3,!"),
                    MakeStep(StepKind::Send, "raw")};
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(session.out, "1,12,0,!");
    session.out.clear();
    RunSteps(runner, session, 50, 0);
    EXPECT_EQ(session.out, "");
    EXPECT_EQ(runner.state, RunState::Running);
    ReceiveClientBytes(session, "2,1,!", 60);
    RunSteps(runner, session, 60, 0);
    EXPECT_EQ(session.out, "2,16,3,!raw");
    EXPECT_EQ(runner.state, RunState::Passed);
}

TEST_F(ServerSession, ExpectStepsMatchOrTimeOut) {
    Session session;
    StepRunner runner;
    runner.steps = {MakeStep(StepKind::Expect, "abc", 100, 1),
                    MakeStep(StepKind::Expect, "abc", 100, 2)};
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(runner.state, RunState::Running);
    ReceiveClientBytes(session, "xxab", 10);
    ReceiveClientBytes(session, "cyy", 20);
    RunSteps(runner, session, 20, 0);
    EXPECT_EQ(runner.next, 1u);  // the first matched, and its bytes are used up
    EXPECT_EQ(session.received, "yy");
    EXPECT_EQ(RunnerDeadline(runner), 120);
    RunSteps(runner, session, 119, 0);
    EXPECT_EQ(runner.state, RunState::Running);
    RunSteps(runner, session, 120, 0);
    EXPECT_EQ(runner.state, RunState::Failed);
    EXPECT_EQ(runner.failed_line, 2);
}

TEST_F(ServerSession, TrickleSendsOneByteAtATime) {
    Session session;
    StepRunner runner;
    runner.steps = {MakeStep(StepKind::Trickle, "abc", 10)};
    struct Moment {
        std::int64_t now;
        const char* out;
    } moments[] = {{0, "a"}, {9, "a"}, {10, "ab"}, {15, "ab"}, {20, "abc"}};
    for (const auto& m : moments) {
        RunSteps(runner, session, m.now, 0);
        EXPECT_EQ(session.out, m.out) << m.now;
    }
    EXPECT_EQ(runner.state, RunState::Passed);
}

TEST_F(ServerSession, LargeOutputsFollowTheBacklog) {
    for (StepKind kind : {StepKind::Big, StepKind::Garbage}) {
        SCOPED_TRACE(static_cast<int>(kind));
        Session session;
        StepRunner runner;
        runner.steps = {MakeStep(kind, {}, 300000)};
        std::string all;
        int rounds = 0;
        while (runner.state == RunState::Running && rounds++ < 100) {
            RunSteps(runner, session, 0, 0);
            EXPECT_LE(session.out.size(), 100000u);  // never the whole output at once
            all += session.out;
            session.out.clear();
        }
        EXPECT_EQ(runner.state, RunState::Passed);
        EXPECT_EQ(all.size(), 300000u);
        if (kind == StepKind::Big) {
            EXPECT_EQ(all.find('!'), std::string::npos);
        }

        // A full backlog holds the output back.
        StepRunner held;
        held.steps = {MakeStep(kind, {}, 10)};
        RunSteps(held, session, 0, 1 << 20);
        EXPECT_EQ(session.out, "");
        RunSteps(held, session, 0, 0);
        if (kind == StepKind::Garbage) {
            EXPECT_EQ(session.out, all.substr(0, 10));  // fixed seed
        }
    }
}

TEST_F(ServerSession, EndingAPairJudgesTheRemainingSteps) {
    struct Case {
        std::vector<Step> steps;
        bool client_closed;
        RunState state;
    } cases[] = {
        {{MakeStep(StepKind::ExpectClose, {}, 1000)}, true, RunState::Passed},
        {{MakeStep(StepKind::ExpectClose, {}, 1000)}, false, RunState::Failed},
        {{MakeStep(StepKind::Wait, {}, 1000)}, true, RunState::Failed},
        {{MakeStep(StepKind::Close), MakeStep(StepKind::Send, "x", 0, 2)}, false, RunState::Failed},
        {{MakeStep(StepKind::Close)}, false, RunState::Passed},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        Session session;
        StepRunner runner;
        runner.steps = cases[i].steps;
        RunSteps(runner, session, 0, 0);
        session.client_closed = cases[i].client_closed;
        FinishSteps(runner, session, 10);
        EXPECT_EQ(runner.state, cases[i].state);
        EXPECT_EQ(session.out.find('x'), std::string::npos);  // nothing after a close
    }
}

TEST_F(ServerSession, ControlStepsResumeAfterAppending) {
    Session session;
    StepRunner runner;
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(runner.state, RunState::Passed);
    AppendStep(runner, MakeStep(StepKind::AckWait));  // on = true by default
    runner.steps.back().on = false;
    AppendStep(runner, MakeStep(StepKind::Message, "12,0,!"));
    AppendStep(runner, MakeStep(StepKind::Message, "16,3,!"));
    RunSteps(runner, session, 0, 0);
    EXPECT_EQ(session.out, "1,12,0,!2,16,3,!");
    EXPECT_EQ(runner.state, RunState::Passed);
}

}  // namespace
