// Scenario and control lines of the development server, its handshake bytes and its
// command line.
#include <gtest/gtest.h>

#include <set>

#include "server/handshake.h"
#include "server/options.h"
#include "server/script.h"

namespace {

TEST(ServerScript, ParsesSteps) {
    struct Case {
        const char* line;
        StepKind kind;
        std::string bytes;
        std::int64_t amount;
    } cases[] = {
        {"send 1,12,0,!", StepKind::Send, "1,12,0,!", 0},
        {"send   two words  ", StepKind::Send, "two words", 0},
        {"send \"x\\\"y \"", StepKind::Send, "x\"y ", 0},
        {"message 12,0", StepKind::Message, "12,0,!", 0},
        {"message 16,3,!", StepKind::Message, "16,3,!", 0},
        {"message 15", StepKind::Message, "15,!", 0},
        {"trickle 20 ab c", StepKind::Trickle, "ab c", 20},
        {"wait 150", StepKind::Wait, "", 150},
        {"expect 2,1,!", StepKind::Expect, "2,1,!", kDefaultExpectTimeoutMs},
        {"expect \"a b\" 300", StepKind::Expect, "a b", 300},
        {"expect \\x41! 7", StepKind::Expect, "A!", 7},
        {"expect-close", StepKind::ExpectClose, "", kDefaultExpectTimeoutMs},
        {"expect-close 100", StepKind::ExpectClose, "", 100},
        {"\tclose  ", StepKind::Close, "", 0},
        {"garbage 10", StepKind::Garbage, "", 10},
        {"big 70000000", StepKind::Big, "", 70000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        ASSERT_TRUE(ParseScriptLine(c.line, 4, plan, parsed, error)) << error;
        EXPECT_EQ(parsed.kind, LineKind::Step);
        EXPECT_EQ(parsed.step.kind, c.kind);
        EXPECT_EQ(parsed.step.bytes, c.bytes);
        EXPECT_EQ(parsed.step.amount, c.amount);
        EXPECT_EQ(parsed.step.line, 4);
    }
}

TEST(ServerScript, ParsesAckAndSwitches) {
    struct Case {
        const char* line;
        StepKind kind;
        AckMode ack;
        bool on;
        std::int64_t amount;
    } cases[] = {
        {"ack on", StepKind::Ack, AckMode::Normal, true, 0},
        {"ack off", StepKind::Ack, AckMode::Off, true, 0},
        {"ack duplicate", StepKind::Ack, AckMode::Duplicate, true, 0},
        {"ack wrong", StepKind::Ack, AckMode::Wrong, true, 0},
        {"ack late 250", StepKind::Ack, AckMode::Late, true, 250},
        {"ackwait off", StepKind::AckWait, AckMode::Normal, false, 0},
        {"replies off", StepKind::Replies, AckMode::Normal, false, 0},
        {"replies on", StepKind::Replies, AckMode::Normal, true, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        ASSERT_TRUE(ParseScriptLine(c.line, 1, plan, parsed, error)) << error;
        EXPECT_EQ(parsed.step.kind, c.kind);
        EXPECT_EQ(parsed.step.ack, c.ack);
        EXPECT_EQ(parsed.step.on, c.on);
        EXPECT_EQ(parsed.step.amount, c.amount);
    }
}

TEST(ServerScript, RefusesBadLinesAndKeepsThePlan) {
    const char* bad[] = {
        "wait",          "wait 5x",          "wait -3",         "expect",
        "expect ab cd",  "ack sideways",     "ack late",        "ackwait maybe",
        "greeting loud", "greeting long",    "answer maybe",    "send",
        "send \"open",   "send \\x1",        "frobnicate 3",    "close now",
        "connection 0",  "connection",       "message \"\\q\"", "trickle abc",
        "version 72 73", "greeting split 3",
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        EXPECT_FALSE(ParseScriptLine(line, 1, plan, parsed, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(plan.version, 73);
        EXPECT_EQ(plan.greeting, GreetingKind::Normal);
        EXPECT_EQ(plan.split_at, 0);
    }
}

TEST(ServerScript, SettingsChangeThePlan) {
    HandshakePlan plan;
    ParsedLine parsed;
    std::string error;
    for (const char* line : {"greeting split 3 200", "greeting raw 73,x\\x21", "answer raw 2,!x",
                             "token abc", "version 72", "# comment", "   "}) {
        ASSERT_TRUE(ParseScriptLine(line, 1, plan, parsed, error)) << line << ": " << error;
        EXPECT_NE(parsed.kind, LineKind::Step) << line;
    }
    EXPECT_EQ(plan.split_at, 3);
    EXPECT_EQ(plan.split_delay_ms, 200);
    EXPECT_EQ(plan.greeting, GreetingKind::Raw);
    EXPECT_EQ(plan.greeting_bytes, "73,x!");
    EXPECT_EQ(plan.answer, AnswerKind::Raw);
    EXPECT_EQ(plan.answer_bytes, "2,!x");
    EXPECT_EQ(plan.token, "abc");
    EXPECT_EQ(plan.version, 72);
}

TEST(ServerScript, SectionsPerConnection) {
    const char* text =
        "# common part\n"
        "answer refuse\r\n"
        "send a\n"
        "connection 2\n"
        "greeting none\n"
        "wait 5\n"
        "\n"
        "connection 3\n"
        "message 12,0\n";
    HandshakePlan initial;
    initial.version = 70;
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(text, initial, script, error)) << error;

    const ScriptSection& first = SectionFor(script, 1);
    EXPECT_EQ(first.plan.version, 70);
    EXPECT_EQ(first.plan.answer, AnswerKind::Refuse);
    ASSERT_EQ(first.steps.size(), 1u);
    EXPECT_EQ(first.steps[0].line, 3);

    const ScriptSection& second = SectionFor(script, 2);
    EXPECT_EQ(second.plan.answer, AnswerKind::Refuse);
    EXPECT_EQ(second.plan.greeting, GreetingKind::None);
    ASSERT_EQ(second.steps.size(), 1u);
    EXPECT_EQ(second.steps[0].kind, StepKind::Wait);

    const ScriptSection& third = SectionFor(script, 3);
    EXPECT_EQ(third.plan.greeting, GreetingKind::Normal);
    ASSERT_EQ(third.steps.size(), 1u);
    EXPECT_EQ(third.steps[0].line, 9);
    EXPECT_EQ(&SectionFor(script, 4), &script.common);
}

TEST(ServerScript, ErrorsNameTheLine) {
    Script script;
    std::string error;
    EXPECT_FALSE(ParseScript("send a\n\nwait soon\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error.rfind("line 3:", 0), 0u) << error;
    EXPECT_FALSE(ParseScript("connection 2\nconnection 2\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error.rfind("line 2:", 0), 0u) << error;
}

TEST(ServerHandshake, GreetingBytesByKind) {
    struct Case {
        const char* setting;
        std::string greeting;
    } cases[] = {
        {"greeting normal", "73,tok,!"},
        {"greeting none", ""},
        {"greeting close", ""},
        {"greeting raw 73,tok", "73,tok"},
        {"greeting long 12", "73,tokxxxx,!"},
        {"greeting long 5", "73,tok,!"},
        {"version 72", "72,tok,!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        ASSERT_TRUE(ParseScriptLine(c.setting, 1, plan, parsed, error));
        EXPECT_EQ(GreetingBytes(plan, GreetingToken(plan, "tok")), c.greeting);
    }
    HandshakePlan plan;
    plan.greeting = GreetingKind::Long;
    plan.long_size = 100;
    std::string token = GreetingToken(plan, MakeToken(7));
    std::string greeting = GreetingBytes(plan, token);
    EXPECT_EQ(greeting.size(), 100u);
    std::string parsed_token;
    EXPECT_TRUE(ParseIntroduction(greeting, parsed_token));
    EXPECT_EQ(parsed_token, token);
}

TEST(ServerHandshake, TokensAreUniqueAndPlain) {
    std::set<std::string> seen;
    for (std::uint32_t i = 0; i < 5000; ++i) {
        std::string token = MakeToken(i);
        EXPECT_TRUE(seen.insert(token).second) << token;
        EXPECT_EQ(token.find_first_of(",;:! "), std::string::npos) << token;
    }
}

TEST(ServerHandshake, IntroductionsAndAnswers) {
    struct Case {
        const char* introduction;
        bool valid;
    } introductions[] = {
        {"73,abc,!", true},  {"72,abc,!", false},  {"73,abc", false},
        {"73,a,b,!", false}, {"73,abc,!x", false},
    };
    for (const auto& c : introductions) {
        std::string token;
        EXPECT_EQ(ParseIntroduction(c.introduction, token), c.valid) << c.introduction;
    }

    struct Answer {
        AnswerKind kind;
        bool known;
        std::string bytes;
        bool pairs;
    } answers[] = {
        {AnswerKind::Normal, true, "2,!", true},  {AnswerKind::Normal, false, "3,!", false},
        {AnswerKind::Refuse, true, "3,!", false}, {AnswerKind::None, true, "", true},
        {AnswerKind::Close, true, "", false},     {AnswerKind::Raw, true, "2,!x", true},
        {AnswerKind::Raw, false, "2,!x", false},
    };
    for (const auto& a : answers) {
        SCOPED_TRACE(static_cast<int>(a.kind) * 10 + a.known);
        HandshakePlan plan;
        plan.answer = a.kind;
        plan.answer_bytes = "2,!x";
        EXPECT_EQ(AnswerBytes(plan, a.known), a.bytes);
        EXPECT_EQ(AnswerPairs(plan, a.known), a.pairs);
    }
}

TEST(ServerOptions, ParsesTheCommandLine) {
    Options options;
    std::string error;
    ASSERT_TRUE(ParseOptions({"--address",       "127.0.0.2",   "--inbound-port", "0",
                              "--outbound-port", "4555",        "--token",        "abc",
                              "--greeting",      "split 3 100", "--no-ack-wait",  "--no-replies",
                              "--scenario",      "s.txt",       "--record",       "rec",
                              "--control",       "ctl",         "--log",          "l.txt",
                              "--lobby-changes", "750"},
                             options, error))
        << error;
    EXPECT_EQ(options.address, "127.0.0.2");
    EXPECT_EQ(options.inbound_port, 0);
    EXPECT_EQ(options.outbound_port, 4555);
    EXPECT_EQ(options.setting_lines,
              (std::vector<std::string>{"token abc", "greeting split 3 100"}));
    EXPECT_FALSE(options.ack_wait);
    EXPECT_FALSE(options.replies);
    EXPECT_EQ(options.scenario_path, "s.txt");
    EXPECT_EQ(options.record_dir, "rec");
    EXPECT_EQ(options.control_path, "ctl");
    EXPECT_EQ(options.log_path, "l.txt");
    EXPECT_EQ(options.lobby_every_ms, 750);

    for (std::vector<std::string> bad :
         std::vector<std::vector<std::string>>{{"--inbound-port", "65536"},
                                               {"--inbound-port", "12a"},
                                               {"--scenario"},
                                               {"--fast"},
                                               {"--lobby-changes", "-5"},
                                               {"--lobby-changes", "5s"},
                                               {"--lobby-changes", ""}}) {
        Options other;
        EXPECT_FALSE(ParseOptions(bad, other, error)) << bad[0];
    }
}

}  // namespace
