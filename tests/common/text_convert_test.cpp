// Text conversions: the same table runs natively and under Wine, so both builds agree.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "tests/common/test_text.h"

namespace {

struct Utf8Case {
    const char* note;
    std::u16string wide;
    std::string utf8;
};

TEST(Utf8FromWide, EncodesLikeWindows) {
    const Utf8Case cases[] = {
        {"empty", u"", ""},
        {"ascii", u"abc", "abc"},
        {"a umlaut", u"\u00e4", "\xC3\xA4"},
        {"polish", u"\u0141\u0105cz",
         "\xC5\x81\xC4\x85"
         "cz"},
        {"euro", u"\u20ac", "\xE2\x82\xAC"},
        {"surrogate pair", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"lone high surrogate", std::u16string{u'a', char16_t(0xD800), u'b'},
         "a\xEF\xBF\xBD"
         "b"},
        {"lone low surrogate", std::u16string{char16_t(0xDC00)}, "\xEF\xBF\xBD"},
        {"high surrogate at end", std::u16string{u'x', char16_t(0xDBFF)}, "x\xEF\xBF\xBD"},
        {"U+FFFF", std::u16string{char16_t(0xFFFF)}, "\xEF\xBF\xBF"},
        {"embedded zero", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(Hex(Utf8FromWide(W(c.wide))), Hex(c.utf8));
    }
}

TEST(Utf8FromWide, RefusesResultsOverTenThousandBytes) {
    const std::wstring pair = W(u"\U0001F600");  // four bytes
    struct Case {
        const char* note;
        std::wstring wide;
        std::size_t bytes;  // 0: refused
    } cases[] = {
        {"10000 ascii", std::wstring(10000, L'x'), 10000},
        {"10001 ascii", std::wstring(10001, L'x'), 0},
        {"3333 euro signs", std::wstring(3333, wchar_t(0x20AC)), 9999},
        {"3334 euro signs", std::wstring(3334, wchar_t(0x20AC)), 0},
        {"pair ends at the limit", std::wstring(9996, L'x') + pair, 10000},
        {"last pair crosses the limit", std::wstring(9997, L'x') + pair, 0},
        {"pair past the limit", std::wstring(9999, L'x') + pair, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(Utf8FromWide(c.wide).size(), c.bytes);
    }
}

TEST(WideFromUtf8, DecodesAndReplacesLikeWindows) {
    const Utf8Case cases[] = {
        {"empty", u"", ""},
        {"two bytes", u"\u00e4", "\xC3\xA4"},
        {"four bytes", u"\U0001F600", "\xF0\x9F\x98\x80"},
        {"stray continuation", u"a\ufffdz", "a\x80z"},
        {"truncated at end", u"a\ufffd", "a\xC3"},
        {"lead then ascii",
         u"\ufffd"
         u"a",
         "\xC3"
         "a"},
        {"overlong two", u"\ufffd\ufffd", "\xC0\xAF"},
        {"overlong three", u"\ufffd\ufffd", "\xE0\x80\x80"},
        {"encoded surrogate", u"\ufffd\ufffd", "\xED\xA0\x80"},
        {"beyond U+10FFFF", u"\ufffd\ufffd\ufffd", "\xF4\x90\x80\x80"},
        {"broken three then ascii",
         u"\ufffd"
         u"a",
         "\xE2\x82"
         "a"},
        {"truncated four", u"\ufffd", "\xF0\x9F\x98"},
        {"invalid lead bytes", u"\ufffd\ufffd", "\xFE\xFF"},
        {"five-byte form", u"\ufffd\ufffd\ufffd\ufffd\ufffd", "\xF8\x88\x80\x80\x80"},
        {"bad third byte", u"\ufffd\ufffd", "\xE0\xA0\xC0"},
        {"embedded zero", std::u16string(u"a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(Units(WideFromUtf8(c.utf8)), Units(W(c.wide)));
    }
}

TEST(WideFromUtf8, RoundTripsEveryBmpCharacterAndPairs) {
    std::wstring all;
    for (unsigned u = 1; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF) continue;
        all.push_back(static_cast<wchar_t>(u));
    }
    all += W(u"\U00010000\U0010FFFF");
    for (std::size_t at = 0; at < all.size(); at += 2000) {
        std::wstring piece = all.substr(at, 2000);
        EXPECT_EQ(WideFromUtf8(Utf8FromWide(piece)), piece) << "from unit " << at;
    }
}

TEST(WideFromNarrow, WidensEachByteUpToZero) {
    EXPECT_EQ(Units(WideFromNarrow("12")), "0031 0032");
    EXPECT_EQ(Units(WideFromNarrow("\xE9\x80")), "00E9 0080");
    EXPECT_EQ(Units(WideFromNarrow(std::string("ab\0cd", 5))), "0061 0062");
    EXPECT_EQ(WideFromNarrow(""), L"");
}

TEST(Base64, EncodesAndDecodes) {
    struct Case {
        std::string plain, encoded;
    } cases[] = {
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"abcd", "YWJjZA=="},
        {std::string("\xFF\xFE\x00", 3), "//4A"},
        {"user,pa!ss", "dXNlcixwYSFzcw=="},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plain);
        EXPECT_EQ(Base64Encode(c.plain), c.encoded);
        EXPECT_EQ(Base64Decode(c.encoded), c.plain);
    }
    std::string every_byte;
    for (int b = 0; b < 256; ++b)
        every_byte.push_back(static_cast<char>(b));
    EXPECT_EQ(Base64Decode(Base64Encode(every_byte)), every_byte);
}

TEST(Base64, DecodingStopsAtPaddingOrForeignCharacter) {
    EXPECT_EQ(Base64Decode("YWI="), "ab");
    EXPECT_EQ(Base64Decode("YW!!"), "a");
    EXPECT_EQ(Base64Decode("YWJj=YWJj"), "abc");
    EXPECT_EQ(Base64Decode("YWJj\nYWJj"), "abc");
    EXPECT_EQ(Base64Decode("Y"), "");  // a single character yields no byte
    EXPECT_EQ(Base64Decode("YWJjZ"), "abc");
}

TEST(TextToInt, ReadsLikeAFormattedStreamRead) {
    struct Case {
        const char* text;
        int32_t value;
    } cases[] = {
        {"42", 42},
        {"-7", -7},
        {"12ab", 12},
        {"", 0},
        {"ab", 0},
        {"  9", 9},
        {"\t\n-3", -3},
        {"+5", 5},
        {"-", 0},
        {"- 5", 0},
        {"2147483647", 2147483647},
        {"2147483648", 0},
        {"-2147483648", INT32_MIN},
        {"-2147483649", 0},
        {"99999999999999999999", 0},
        {"007", 7},
        {"0x10", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(TextToInt(c.text), c.value);
    }
}

TEST(IntToText, WritesPlainDecimal) {
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(-15), "-15");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToText(INT32_MAX), "2147483647");
}

}  // namespace
