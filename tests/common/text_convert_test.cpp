// Text conversions: the same table runs natively and under Wine, so both builds agree.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "tests/common/test_text.h"

namespace {

TEST(Utf8FromWide, EncodesLikeWindowsUpToTenThousandBytes) {
    const std::u16string high{char16_t(0xD800)}, low{char16_t(0xDC00)}, last{char16_t(0xDBFF)};
    const struct {
        std::u16string wide;
        std::string utf8;
    } cases[] = {{u"", ""},
                 {u"\u00e4", "\xC3\xA4"},
                 {u"\u0141\u0105cz", "\xC5\x81\xC4\x85\x63z"},
                 {u"\u20ac", "\xE2\x82\xAC"},
                 {u"\U0001F600", "\xF0\x9F\x98\x80"},
                 {u"a" + high + u"b", "a\xEF\xBF\xBD\x62"},
                 {low, "\xEF\xBF\xBD"},
                 {u"x" + last, "x\xEF\xBF\xBD"},
                 {std::u16string{char16_t(0xFFFF)}, "\xEF\xBF\xBF"},
                 {std::u16string(u"a\0b", 3), std::string("a\0b", 3)}};
    for (const auto& c : cases)
        EXPECT_EQ(Hex(Utf8FromWide(W(c.wide))), Hex(c.utf8)) << Hex(c.utf8);
    const std::wstring pair = W(u"\U0001F600");  // four bytes
    const struct {
        std::wstring wide;
        std::size_t bytes;  // 0: refused
    } limits[] = {
        {std::wstring(10000, L'x'), 10000},          {std::wstring(10001, L'x'), 0},
        {std::wstring(3333, wchar_t(0x20AC)), 9999}, {std::wstring(3334, wchar_t(0x20AC)), 0},
        {std::wstring(9996, L'x') + pair, 10000},    {std::wstring(9997, L'x') + pair, 0}};
    for (const auto& c : limits)
        EXPECT_EQ(Utf8FromWide(c.wide).size(), c.bytes) << c.wide.size();
}

TEST(WideFromUtf8, DecodesAndReplacesLikeWindows) {
    const std::u16string r = u"\ufffd";
    const struct {
        std::string utf8;
        std::u16string wide;
    } cases[] = {{"", u""},
                 {"a\x80z", u"a" + r + u"z"},                  // stray continuation
                 {"a\xC3", u"a" + r},                          // truncated at the end
                 {"\xC3\x61", r + u"a"},                       // lead byte then ASCII
                 {"\xC0\xAF", r + r},                          // overlong
                 {"\xE0\x80\x80", r + r},                      // overlong
                 {"\xED\xA0\x80", r + r},                      // an encoded surrogate
                 {"\xF4\x90\x80\x80", r + r + r},              // beyond U+10FFFF
                 {"\xE2\x82\x61", r + u"a"},                   // broken three-byte sequence
                 {"\xF0\x9F\x98", r},                          // truncated four-byte sequence
                 {"\xFE\xFF", r + r},                          // invalid lead bytes
                 {"\xF8\x88\x80\x80\x80", r + r + r + r + r},  // five-byte form
                 {"\xE0\xA0\xC0", r + r},                      // bad third byte
                 {std::string("a\0b", 3), std::u16string(u"a\0b", 3)}};
    for (const auto& c : cases)
        EXPECT_EQ(Units(WideFromUtf8(c.utf8)), Units(W(c.wide))) << Hex(c.utf8);
    std::wstring all;
    for (unsigned u = 1; u < 0x10000; ++u)
        if (u < 0xD800 || u > 0xDFFF) all.push_back(static_cast<wchar_t>(u));
    all += W(u"\U00010000\U0010FFFF");
    for (std::size_t at = 0; at < all.size(); at += 2000) {
        std::wstring piece = all.substr(at, 2000);
        EXPECT_EQ(WideFromUtf8(Utf8FromWide(piece)), piece) << "round trip from unit " << at;
    }
}

TEST(WideFromNarrow, WidensEachByteUpToZero) {
    EXPECT_EQ(Units(WideFromNarrow("\x31\xE9\x80")), "0031 00E9 0080");
    EXPECT_EQ(Units(WideFromNarrow(std::string("ab\0cd", 5))), "0061 0062");
}

TEST(Base64, EncodesDecodesAndStopsAtPaddingOrAForeignCharacter) {
    const struct {
        std::string plain, encoded;
    } cases[] = {{"", ""},
                 {"a", "YQ=="},
                 {"ab", "YWI="},
                 {"abc", "YWJj"},
                 {std::string("\xFF\xFE\x00", 3), "//4A"},
                 {"user,pa!ss", "dXNlcixwYSFzcw=="}};
    for (const auto& c : cases) {
        EXPECT_EQ(Base64Encode(c.plain), c.encoded);
        EXPECT_EQ(Base64Decode(c.encoded), c.plain);
    }
    std::string everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte.push_back(static_cast<char>(b));
    EXPECT_EQ(Base64Decode(Base64Encode(everyByte)), everyByte);
    for (auto [text, plain] : {std::pair{"YW!!", "a"}, {"YWJj=YWJj", "abc"}, {"YWJjZ", "abc"}})
        EXPECT_EQ(Base64Decode(text), plain) << text;
}

TEST(TextToInt, ReadsLikeAFormattedStreamReadAndIntToTextBack) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {{"42", 42},         {"-7", -7},
                 {"12ab", 12},       {"", 0},
                 {"\t\n-3", -3},     {"+5", 5},
                 {"- 5", 0},         {"2147483647", INT32_MAX},
                 {"2147483648", 0},  {"-2147483648", INT32_MIN},
                 {"-2147483649", 0}, {"99999999999999999999", 0},
                 {"0x10", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TextToInt(c.text), c.value) << c.text;
    for (int32_t value : {0, -15, INT32_MIN, INT32_MAX})
        EXPECT_EQ(TextToInt(IntToText(value)), value);
    EXPECT_EQ(IntToText(-15), "-15");
}

}  // namespace
