// Localised texts: the language rule, the texts chosen by a model value, and the bytes of
// a non-ASCII text (the sources must be read as UTF-8 by every compiler). Runs natively
// and under Wine, where wchar_t is 16 bits wide.
#include <gtest/gtest.h>

#include <climits>

#include "net/text_convert.h"
#include "tests/common/test_text.h"
#include "ui/texts.h"

namespace {

std::string Utf8(const std::wstring& text) {
    return Hex(Utf8FromWide(text));
}

// 3 Italian, 4 Polish, 2 German, anything else English; a text without a translation
// stays English; the error dialog's Cancel has no English fall-back outside 1..4.
TEST(Texts, EveryTextHasEnglishWhichOtherLanguagesFallBackTo) {
    for (int i = 0; i < kTextCount; ++i) {
        const auto id = static_cast<TextId>(i);
        SCOPED_TRACE(i);
        const std::wstring english = TextIn(id, 1);
        EXPECT_FALSE(english.empty());
        for (int language : {0, 5, -1, INT_MIN, INT_MAX})
            EXPECT_EQ(TextIn(id, language), id == TextId::ErrorCancel ? L"" : english);
    }
    const char* rooms[] = {"Rooms", "R\xC3\xA4ume", "Sale gioco", "Pokoje gier"};
    const char* news[] = {"News", "News", "News", "Nowo\xC5\x9B\x63i"};
    for (int language = 1; language <= 4; ++language) {
        SCOPED_TRACE(language);
        EXPECT_EQ(Utf8(TextIn(TextId::TabRooms, language)), Hex(rooms[language - 1]));
        EXPECT_EQ(Utf8(TextIn(TextId::NewsTitle, language)), Hex(news[language - 1]));
        EXPECT_EQ(TextIn(TextId::LoginTitle, language), L"Log In") << "not translated";
        EXPECT_EQ(TextIn(TextId::ErrorCancel, language), TextIn(TextId::Cancel, language));
    }
}

TEST(Texts, JoinTextsLeavesOutEmptyParts) {
    EXPECT_EQ(JoinTexts({L"ERROR", L"", L"one.", L"", L"two."}), L"ERROR one. two.");
    EXPECT_EQ(JoinTexts({L"", L""}), L"");
}

// How in-range texts look is the hub's golden images' (tests/e2e/test_look.py, contacts);
// here, that each has one at all, read within its table.
TEST(Texts, ModelValuesInRangeShowATextAndOutOfRangeNothing) {
    for (int language = 1; language <= 4; ++language) {
        for (int state = 2; state <= 10; ++state)
            EXPECT_FALSE(ErrorLines(state, language)[0].empty()) << state;
        for (int presence = 0; presence <= 4; ++presence)
            EXPECT_FALSE(PresenceText(presence, language).empty()) << presence;
    }
    for (int state : {1, 11})
        for (const std::wstring& line : ErrorLines(state, 1))
            EXPECT_EQ(line, L"") << state;
    EXPECT_FALSE(ConnectPhaseText(0, 1).empty());
    EXPECT_FALSE(ConnectPhaseText(3, 1).empty());
    EXPECT_EQ(ConnectPhaseText(4, 1), L"");
    EXPECT_EQ(ConnectPhaseText(-1, 1), L"");
    EXPECT_EQ(LinkStateText(2, 1), L"Connected to Tavlora") << "any non-zero state";
    EXPECT_EQ(PresenceText(5, 1), L"");
    EXPECT_EQ(PresenceText(-1, 1), L"");
    // Shown offline as the server reports it reads lower case in English only.
    EXPECT_EQ(PresenceText(1, 1), L"Connected - Show as Offline");
    EXPECT_EQ(PresenceText(1, 1, true), L"Connected - Show as offline");
    EXPECT_EQ(PresenceText(1, 2, true), L"Verbunden - Als offline anzeigen");
    EXPECT_EQ(PresenceText(5, 1, true), L"");
}

}  // namespace
