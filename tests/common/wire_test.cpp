// Framing and composition of protocol messages.
#include <gtest/gtest.h>

#include "net/wire.h"
#include "tests/common/test_text.h"

namespace {

using V = std::vector<std::string>;

V Strings(const std::vector<std::string_view>& views) {
    return V(views.begin(), views.end());
}

TEST(Wire, SplitsEntriesMessagesRecordsAndItems) {
    V pieces;
    ForEachMessage("3,15,!4,13,77,1,0,!",
                   [&](std::string_view piece) { pieces.emplace_back(piece); });
    ForEachMessage("no bang", [&](std::string_view piece) { pieces.emplace_back(piece); });
    EXPECT_EQ(pieces, (V{"3,15,", "4,13,77,1,0,", "", "no bang"}));
    const struct {
        const char* message;
        V fields;
    } cases[] = {{"5,11,QQ==,", {"5", "11", "QQ=="}}, {"2,7,", {"2", "7"}}, {"7,", {"7"}}, {"", {}},
                 {"1,,3,", {"1", "", "3"}},           {"1,2", {"1", "2"}},  {",", {""}}};
    for (const auto& c : cases)
        EXPECT_EQ(Strings(SplitFields(c.message)), c.fields) << c.message;
    EXPECT_EQ(Strings(SplitRecords("1:a:2:4;2:b:0:1;")), (V{"1:a:2:4", "2:b:0:1"}));
    EXPECT_EQ(Strings(SplitRecords("1:a")), (V{"1:a"}));
    EXPECT_EQ(Strings(SplitRecords("")), V{});
    EXPECT_EQ(Strings(SplitItems("1:a::4")), (V{"1", "a", "", "4"}));
}

TEST(Wire, ChecksGreetings) {
    const struct {
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
        std::string token;
        EXPECT_EQ(CheckGreeting(c.greeting, token), c.result) << c.greeting;
        EXPECT_EQ(token, c.token) << c.greeting;
    }
    EXPECT_EQ(ComposeIntroduction("abc"), "73,abc,!");
}

TEST(Wire, ComposesOutboundMessagesCredentialsWithSeparatorsIntact) {
    EXPECT_EQ(ComposeAck(9) + ComposeNumbered(1, "32,5,!") + ComposeKeepAlive(4) +
                  ComposeTimeRequest() + ComposePresence(3) + ComposeEnterRoom(12) +
                  ComposeLeaveRoom("012") + ComposeContactRelation(7, 2) + ComposeDeleteContact(7) +
                  ComposeJoinAnswer("4", "x") + ComposeOpenTable(3, 44) + ComposeLeaveTable(44),
              "2,9,!1,32,5,!4,1,0,!10,0,!17,3,!32,12,!38,012,!53,7:2,!54,7,!103,4:x,!111,3:44,!"
              "112,44,!");
    // "us,er" + "," + "p!ss\u00e4" as UTF-8, Base64-encoded in one field.
    EXPECT_EQ(ComposeLogin(L"us,er", W(u"p!ss\u00e4")), "11,dXMsZXIscCFzc8Ok,!");
    EXPECT_EQ(ComposeAddContact(W(u"\u0141o")), "52,xYFv,!");
}

}  // namespace
