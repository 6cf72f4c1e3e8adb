// The development server's scenario lines, command line and handshake rules that no hub
// test reaches: the end-to-end tests only ever write lines and options that work, and a
// hub that sends the greeting's own token.
#include <gtest/gtest.h>

#include <set>

#include "server/handshake.h"
#include "server/options.h"
#include "server/script.h"

namespace {

TEST(ServerScript, BadLinesSayWhatIsWrongAndLeaveThePlanAlone) {
    struct Case {
        const char* line;
        const char* error;
    } cases[] = {
        {"wait", "a number is missing"},
        {"wait 5x", "not a number: 5x"},
        {"wait 2000000000000", "number too large: 2000000000000"},
        {"expect", "bytes missing"},
        {"send \"open", "closing quote missing"},
        {"send \\x1", "\\x needs two hex digits"},
        {"message \"\\q\"", "unknown escape \\q"},
        {"send end\\", "backslash at the end of a byte text"},
        {"ack sideways", "ack: expected on, off, duplicate, late <ms> or wrong"},
        {"ackwait maybe", "expected on or off"},
        {"greeting loud", "greeting: expected normal, none, close, long, raw or split"},
        {"greeting split 3", "a number is missing"},
        {"answer maybe", "answer: expected normal, refuse, none, close or raw"},
        {"version 72 73", "unexpected text after the command: 73"},
        {"frobnicate 3", "unknown command: frobnicate"},
        {"connection 0", "connection numbers start at 1"},
        {"lobby fly", "lobby: unknown change: fly"},
        {"lobby enter 1", "lobby enter: a number is missing"},
        {"lobby enter 1 2147483648", "number too large: 2147483648"},
        {"lobby random 10001", "lobby random: at most 10000 changes"},
        {"lobby player-in 5 4", "bytes missing"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        HandshakePlan plan;
        ParsedLine parsed;
        std::string error;
        EXPECT_FALSE(ParseScriptLine(c.line, 1, plan, parsed, error));
        EXPECT_EQ(error, c.error);
        EXPECT_EQ(plan.version, 73);
        EXPECT_EQ(plan.greeting, GreetingKind::Normal);
        EXPECT_EQ(plan.split_at, 0);
    }
}

TEST(ServerScript, ErrorsNameTheLineAndSectionsInheritTheCommonPart) {
    Script script;
    std::string error;
    EXPECT_FALSE(ParseScript("send a\n\nwait soon\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error, "line 3: not a number: soon");
    EXPECT_FALSE(ParseScript("connection 2\nconnection 2\n", HandshakePlan{}, script, error));
    EXPECT_EQ(error, "line 2: connection 2 appears twice");

    const char* text =
        "answer refuse\r\n"
        "send a\n"
        "connection 2\n"
        "greeting none\n"
        "wait 5\n";
    ASSERT_TRUE(ParseScript(text, HandshakePlan{}, script, error)) << error;
    const ScriptSection& first = SectionFor(script, 1);
    EXPECT_EQ(first.plan.answer, AnswerKind::Refuse);
    ASSERT_EQ(first.steps.size(), 1u);
    EXPECT_EQ(first.steps[0].line, 2);
    const ScriptSection& second = SectionFor(script, 2);
    EXPECT_EQ(second.plan.answer, AnswerKind::Refuse);
    EXPECT_EQ(second.plan.greeting, GreetingKind::None);
    ASSERT_EQ(second.steps.size(), 1u);
    EXPECT_EQ(second.steps[0].kind, StepKind::Wait);
    EXPECT_EQ(&SectionFor(script, 3), &script.common);
}

TEST(ServerOptions, RefusesBadValues) {
    struct Case {
        std::vector<std::string> arguments;
        const char* error;
    } cases[] = {
        {{"--inbound-port", "65536"}, "--inbound-port: not a port: 65536"},
        {{"--scenario"}, "--scenario needs a value"},
        {{"--fast"}, "unknown option: --fast"},
        {{"--lobby-changes", "-5"}, "--lobby-changes: not a time in ms: -5"},
        {{"--private-messages", "86400001"}, "--private-messages: not a time in ms: 86400001"},
        {{"--presence-storm", "0"}, "--presence-storm: not a rate from 1 to 1000: 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments[0]);
        Options options;
        std::string error;
        EXPECT_FALSE(ParseOptions(c.arguments, options, error));
        EXPECT_EQ(error, c.error);
    }
}

TEST(ServerHandshake, TokensAreUniqueAndPlainAndAnUnknownOneIsRefused) {
    std::set<std::string> seen;
    for (std::uint32_t i = 0; i < 5000; ++i) {
        std::string token = MakeToken(i);
        EXPECT_TRUE(seen.insert(token).second) << token;
        EXPECT_EQ(token.find_first_of(",;:! "), std::string::npos) << token;
    }
    // An introduction with a token no connection was greeted with is refused.
    HandshakePlan plan;
    EXPECT_EQ(AnswerBytes(plan, false), "3,!");
    EXPECT_FALSE(AnswerPairs(plan, false));
}

}  // namespace
