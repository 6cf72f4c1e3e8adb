// The settings dialog's lines: what they show for the pending values, which lines a page
// shows and their step rules.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/common/test_text.h"
#include "ui/settings_lines.h"
#include "ui/settings_steps.h"

namespace {

int LineOf(std::wstring_view stem) {
    for (int line = 0; line < kSettingsLineCount; ++line)
        if (stem == kSettingStems[line]) return line;
    return -1;
}

TEST(SettingsLines, ValueTextsAndSwatchesFollowThePendingValues) {
    const struct {
        const wchar_t* stem;
        const int* pending;
        int value, language;
        std::u16string text;
        int bitmap;
    } cases[] = {
        {L"sound", &soundPending, 0, 3, u"No", 0},
        {L"foreground", &foregroundPending, 2, 2, u"Nein", 0},  // only exactly 1 is yes
        {L"autodelay", &autodelayPending, 4, 4, u"Kr\u00f3tki", 0},
        {L"autodelay", &autodelayPending, 1, 3, u"Zero", 0},
        {L"tablesize", &tablesizePending, 4, 2, u"1280 x 960", 0},
        {L"save", &savePending, 0, 4, u"Brak", 0},
        {L"save", &savePending, 3, 1, u"Snowie4", 0},
        {L"animatespeed", &animatespeedPending, 0, 4, u"0 sekund", 0},
        {L"animatespeed", &animatespeedPending, 5, 1, u"5 seconds", 0},
        {L"font", nullptr, 0, 2, u"Klick", 0},
        {L"skin", &skinPending, 3, 1, u"", 603},
        {L"whitechk", &whitechkPending, 32, 1, u"", 732},
        {L"blackchk", &blackchkPending, 5, 1, u"", 705},
        {L"blackdice", &blackdicePending, 4, 1, u"", 804},
        {L"cube", &cubePending, 2, 1, u"", 902},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " " << c.bitmap);
        const int line = LineOf(c.stem);
        ASSERT_GE(line, 0);
        SetPendingSetting(c.pending, c.value);
        EXPECT_EQ(Units(SettingsValueText(line, c.language)), Units(W(c.text)));
        EXPECT_EQ(SettingsSwatchBitmap(line), c.bitmap);
    }
    ResetSettingsToDefaults();
}

// The lines on either side of each page boundary; the animation delay shows only while
// animation is on.
TEST(SettingsLines, PagesAndRows) {
    const struct {
        const wchar_t* stem;
        int page, top;
    } cases[] = {{L"foreground", 2, 101}, {L"save", 2, 229},     {L"skin", 1, 101},
                 {L"cube", 1, 261},       {L"skiproll", 3, 101}, {L"animatespeed", 3, 261},
                 {L"timestamp", 4, 101},  {L"font", 4, 165}};
    for (const auto& c : cases) {
        const int line = LineOf(c.stem);
        EXPECT_EQ(SettingsLinePage(line), c.page) << c.top;
        EXPECT_EQ(SettingsLineTop(line), c.top) << c.page;
    }
    const int speed = LineOf(L"animatespeed");
    EXPECT_TRUE(SettingsLineVisible(speed, 3, 1));
    EXPECT_FALSE(SettingsLineVisible(speed, 3, 0));
    EXPECT_FALSE(SettingsLineVisible(speed, 1, 1));
    EXPECT_TRUE(SettingsLineVisible(LineOf(L"animate"), 3, 0));
    EXPECT_FALSE(SettingsLineVisible(LineOf(L"skin"), 2, 1));
}

// Every line walks its whole range in order from its default; white 1 and black 3 by
// default: white skips 3, black skips 1. Only the pending copy changes.
TEST(SettingsLines, EveryLineStepsThroughItsRangeInOrder) {
    const int* const pending[kSettingsLineCount - 1] = {
        &foregroundPending,   &soundPending,      &autodelayPending,   &tablesizePending,
        &savePending,         &skinPending,       &whitechkPending,    &blackchkPending,
        &whitedicePending,    &blackdicePending,  &cubePending,        &skiprollPending,
        &skipmovePending,     &forcedmovePending, &autobearoffPending, &animatePending,
        &animatespeedPending, &timestampPending,  &enterexitPending};
    std::string walks;
    for (int line = 0; line < kSettingsLineCount - 1; ++line) {
        ResetSettingsToDefaults();
        walks += line ? " " : "";
        for (int step = 0; step < 6; ++step) {
            StepSettingsLine(line);
            walks += std::to_string(*pending[line]);
        }
    }
    EXPECT_EQ(walks,
              "010101 010101 341234 412341 301230 341234 245678 456789 241241 423423 341234 "
              "010101 010101 010101 010101 010101 234501 101010 010101");
    StepSettingsLine(LineOf(L"font"));  // opens the font dialog instead; nothing to step
    StepSettingsLine(LineOf(L"sound"));
    EXPECT_EQ((std::pair{soundPending, sound}), (std::pair{0, 1}));
    for (int maximum : {kMaxChecker, kMaxDice})
        for (int value = 1; value <= maximum; ++value)
            for (int other = 1; other <= maximum; ++other) {
                if (other == value) continue;
                const int next = DistinctStep(value, other, maximum);
                EXPECT_TRUE(next != other && next >= 1 && next <= maximum)
                    << value << " against " << other << ": " << next;
            }
    EXPECT_EQ(
        (std::vector{DistinctStep(3, 4, 32), DistinctStep(32, 1, 32), DistinctStep(31, 32, 32)}),
        (std::vector{5, 2, 1}));
}

}  // namespace
