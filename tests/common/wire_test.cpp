// Framing and composition of protocol messages.
#include <gtest/gtest.h>

#include "net/wire.h"
#include "tests/common/test_text.h"

namespace {

std::vector<std::string> Pieces(std::string_view entry) {
    std::vector<std::string> pieces;
    ForEachMessage(entry, [&](std::string_view piece) { pieces.emplace_back(piece); });
    return pieces;
}

std::vector<std::string> Strings(const std::vector<std::string_view>& views) {
    return std::vector<std::string>(views.begin(), views.end());
}

TEST(Wire, SplitsEntriesIntoMessages) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Pieces("3,15,!4,13,77,1,0,!"), (V{"3,15,", "4,13,77,1,0,", ""}));
    EXPECT_EQ(Pieces("!"), (V{"", ""}));
    EXPECT_EQ(Pieces("no bang"), (V{"no bang"}));
}

TEST(Wire, SplitsMessagesIntoFields) {
    using V = std::vector<std::string>;
    struct Case {
        const char* message;
        V fields;
    } cases[] = {
        {"5,11,QQ==,", {"5", "11", "QQ=="}}, {"2,7,", {"2", "7"}}, {"7,", {"7"}}, {"", {}},
        {"1,,3,", {"1", "", "3"}},           {"1,2", {"1", "2"}},  {",", {""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(Strings(SplitFields(c.message)), c.fields);
    }
}

TEST(Wire, SplitsRecordsAndItems) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Strings(SplitRecords("1:a:2:4;2:b:0:1;")), (V{"1:a:2:4", "2:b:0:1"}));
    EXPECT_EQ(Strings(SplitRecords("1:a")), (V{"1:a"}));
    EXPECT_EQ(Strings(SplitRecords("")), V{});
    EXPECT_EQ(Strings(SplitItems("1:a::4")), (V{"1", "a", "", "4"}));
}

TEST(Wire, ChecksGreetings) {
    struct Case {
        const char* greeting;
        GreetingCheck result;
        const char* token;
    } cases[] = {
        {"73,abc,!", GreetingCheck::Valid, "abc"},     {"73,,!", GreetingCheck::Valid, ""},
        {"72,abc,!", GreetingCheck::OtherVersion, ""}, {"x,abc,!", GreetingCheck::OtherVersion, ""},
        {"73,abc", GreetingCheck::Malformed, ""},      {"73,abc,x,!", GreetingCheck::Malformed, ""},
        {"73,abc,!x", GreetingCheck::Malformed, ""},   {"", GreetingCheck::Malformed, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.greeting);
        std::string token;
        EXPECT_EQ(CheckGreeting(c.greeting, token), c.result);
        EXPECT_EQ(token, c.token);
    }
    EXPECT_EQ(ComposeIntroduction("abc"), "73,abc,!");
}

TEST(Wire, ComposesOutboundMessages) {
    EXPECT_EQ(ComposeAck(9), "2,9,!");
    EXPECT_EQ(ComposeNumbered(1, "32,5,!"), "1,32,5,!");
    EXPECT_EQ(ComposeKeepAlive(4), "4,1,0,!");
    EXPECT_EQ(ComposeTimeRequest(), "10,0,!");
    EXPECT_EQ(ComposePresence(3), "17,3,!");
    EXPECT_EQ(ComposeEnterRoom(12), "32,12,!");
    EXPECT_EQ(ComposeLeaveRoom("012"), "38,012,!");
    EXPECT_EQ(ComposeContactRelation(7, 2), "53,7:2,!");
    EXPECT_EQ(ComposeDeleteContact(7), "54,7,!");
    EXPECT_EQ(ComposeJoinAnswer("4", "x"), "103,4:x,!");
    EXPECT_EQ(ComposeOpenTable(3, 44), "111,3:44,!");
    EXPECT_EQ(ComposeLeaveTable(44), "112,44,!");
}

TEST(Wire, CredentialsWithSeparatorsTravelIntact) {
    // "us,er" + "," + "p!ss\u00e4" as UTF-8, Base64-encoded in one field.
    std::string login = ComposeLogin(L"us,er", W(u"p!ss\u00e4"));
    EXPECT_EQ(login, "11,dXMsZXIscCFzc8Ok,!");
    FieldList fields = SplitFields(std::string_view(login).substr(0, login.size() - 1));
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(ComposeAddContact(W(u"\u0141o")), "52,xYFv,!");
}

}  // namespace
