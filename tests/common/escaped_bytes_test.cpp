// The escaped byte texts that the development server's scenarios and the window probe's
// arguments share, natively and under Wine.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/escaped_bytes.h"

namespace {

TEST(EscapedBytes, DecodesTheEscapes) {
    const struct {
        const char* text;
        bool ok;
        std::string bytes;
    } cases[] = {{"plain,!", true, "plain,!"},
                 {"", true, ""},
                 {"a\\x41b", true, "aAb"},
                 {"\\xfF", true, "\xff"},
                 {"\\x00\\xc3\\xA4", true, std::string("\0\xC3\xA4", 3)},
                 {"\\r\\n\\t", true, "\r\n\t"},
                 {"\\\\x41", true, "\\x41"},
                 {"\\\"q\\\"", true, "\"q\""},
                 {"a\\0b", true, std::string("a\0b", 3)},
                 {"a\\sb", true, "a b"},
                 {"\\x4", false, ""},
                 {"\\x", false, ""},
                 {"\\xg1", false, ""},
                 {"\\q", false, ""},
                 {"end\\", false, ""}};
    for (const auto& c : cases) {
        std::string bytes, error;
        EXPECT_EQ(DecodeEscapes(c.text, bytes, error), c.ok) << c.text;
        EXPECT_EQ(c.ok ? bytes : std::string(), c.bytes) << c.text;
        EXPECT_EQ(error.empty(), c.ok) << c.text;
    }
    // A text may end inside an escape: nothing past it is read (the sanitizer watches a
    // buffer of exactly its bytes).
    for (std::string_view cut : {"\\x", "\\x4"}) {
        const std::vector<char> exact(cut.begin(), cut.end());
        std::string bytes, error;
        EXPECT_FALSE(DecodeEscapes(std::string_view(exact.data(), exact.size()), bytes, error));
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
