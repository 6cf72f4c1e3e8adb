// Framing and composition of protocol messages; SendAll over a stand-in for a send that
// takes only part of what it is offered, as a busy socket may; the escaped byte texts that
// the development server's scenarios and the window probe's arguments share.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/escaped_bytes.h"
#include "net/socket_io.h"
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

TEST(Wire, ComposesCredentialsWithSeparatorsIntact) {
    // "us,er" + "," + "p!ss\u00e4" as UTF-8, Base64-encoded in one field.
    EXPECT_EQ(ComposeLogin(L"us,er", W(u"p!ss\u00e4")), "11,dXMsZXIscCFzc8Ok,!");
    EXPECT_EQ(ComposeAddContact(W(u"\u0141o")), "52,xYFv,!");
}

// Each call takes at most `piece` bytes; the call numbered `failAt` (from 1) returns
// `failResult` instead.
int piece = 0, failAt = 0, failResult = 0, calls = 0;
std::string delivered;

int TakePart(SocketHandle, const char* data, int size) {
    if (++calls == failAt) return failResult;
    const int taken = size < piece ? size : piece;
    delivered.append(data, static_cast<std::size_t>(taken));
    return taken;
}

TEST(SendAll, SendsWhatEachCallLeftOverAndStopsAtAFailure) {
    const std::string message = "12,99,a text longer than one piece,!";
    const struct {
        std::string text;
        int piece, failAt, failResult;
        bool whole;
        std::string delivered;
        int calls;
    } cases[] = {{message, 1000, 0, 0, true, message, 1},
                 {message, 3, 0, 0, true, message, 12},
                 {message, 5, 2, -1, false, "12,99", 2},
                 {message, 5, 3, 0, false, "12,99,a te", 3},  // nothing taken
                 {message, 5, 2, 1000, false, "12,99", 2},    // more taken than offered
                 {message, 5, 1, -1, false, "", 1},
                 {"", 5, 1, -1, true, "", 0}};  // nothing to send: no call
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.piece << " " << c.failAt << " " << c.failResult);
        piece = c.piece;
        failAt = c.failAt;
        failResult = c.failResult;
        delivered.clear();
        calls = 0;
        EXPECT_EQ(SendAll(kNoSocket, c.text, TakePart), c.whole);
        EXPECT_EQ(delivered, c.delivered);
        EXPECT_EQ(calls, c.calls);
    }
}

TEST(EscapedBytes, DecodesTheEscapes) {
    const struct {
        const char* text;
        std::string bytes;
    } cases[] = {{"plain,!", "plain,!"},
                 {"", ""},
                 {"a\\x41b", "aAb"},
                 {"\\xfF", "\xff"},
                 {"\\x00\\xc3\\xA4", std::string("\0\xC3\xA4", 3)},
                 {"\\r\\n\\t", "\r\n\t"},
                 {"\\\\x41", "\\x41"},
                 {"\\\"q\\\"", "\"q\""},
                 {"a\\0b", std::string("a\0b", 3)},
                 {"a\\sb", "a b"}};
    for (const auto& c : cases) {
        std::string bytes, error;
        EXPECT_TRUE(DecodeEscapes(c.text, bytes, error)) << c.text;
        EXPECT_EQ(bytes, c.bytes) << c.text;
        EXPECT_EQ(error, "") << c.text;
    }
    // Read from a buffer of exactly their bytes: nothing past the end is read (the
    // sanitizer watches).
    for (std::string_view bad : {"\\x4", "\\x", "\\xg1", "\\q", "end\\"}) {
        const std::vector<char> exact(bad.begin(), bad.end());
        std::string bytes, error;
        EXPECT_FALSE(DecodeEscapes(std::string_view(exact.data(), exact.size()), bytes, error));
        EXPECT_NE(error, "") << bad;
    }
}

TEST(EscapedBytes, PrintableEscapesCutsAndDecodesToTheSameBytes) {
    EXPECT_EQ(Printable(std::string("a\r\n\x01\xff\\", 6)), "a\\r\\n\\x01\\xff\\\\");
    EXPECT_EQ(Printable("abcdef", 3), "abc... (6 bytes)");
    std::string everyByte, bytes, error;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<char>(b));
    ASSERT_TRUE(DecodeEscapes(Printable(everyByte, everyByte.size()), bytes, error)) << error;
    EXPECT_EQ(bytes, everyByte);
}

}  // namespace
