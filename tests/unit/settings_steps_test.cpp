// The settings dialog's step rules, Apply and Cancel.
#include <gtest/gtest.h>

#include <vector>

#include "settings/settings.h"
#include "ui/settings_lines.h"
#include "ui/settings_steps.h"

namespace {

class SettingsSteps : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToDefaults(); }
    void TearDown() override { ResetSettingsToDefaults(); }
};

int LineOf(const wchar_t* stem) {
    for (int line = 0; line < kSettingsLineCount; ++line)
        if (std::wstring(kSettingStems[line]) == stem) return line;
    return -1;
}

// Every line walks its whole range in order, starting from its default.
TEST_F(SettingsSteps, EveryLineStepsThroughItsRangeInOrder) {
    struct Case {
        const wchar_t* stem;
        int* pending;
        std::vector<int> walk;  // values after each click, starting from the default
    } cases[] = {
        {L"foreground", &foregroundPending, {0, 1, 0}},
        {L"sound", &soundPending, {0, 1}},
        {L"autodelay", &autodelayPending, {3, 4, 1, 2}},
        {L"tablesize", &tablesizePending, {4, 1, 2, 3}},
        {L"save", &savePending, {3, 0, 1, 2}},
        {L"skin", &skinPending, {3, 4, 1, 2}},
        {L"cube", &cubePending, {3, 4, 1, 2}},
        {L"skiproll", &skiprollPending, {0, 1}},
        {L"skipmove", &skipmovePending, {0, 1}},
        {L"forcedmove", &forcedmovePending, {0, 1}},
        {L"autobearoff", &autobearoffPending, {0, 1}},
        {L"animate", &animatePending, {0, 1}},
        {L"animatespeed", &animatespeedPending, {2, 3, 4, 5, 0, 1}},
        {L"timestamp", &timestampPending, {1, 0}},
        {L"enterexit", &enterexitPending, {0, 1}},
        // White 1 and black 3 by default: white skips 3, black skips 1.
        {L"whitechk", &whitechkPending, {2, 4, 5}},
        {L"blackchk", &blackchkPending, {4, 5, 6}},
        {L"whitedice", &whitedicePending, {2, 4, 1}},
        {L"blackdice", &blackdicePending, {4, 2, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.stem, c.stem + wcslen(c.stem)));
        ResetSettingsToDefaults();
        const int line = LineOf(c.stem);
        ASSERT_GE(line, 0);
        std::vector<int> walk;
        for (std::size_t i = 0; i < c.walk.size(); ++i) {
            StepSettingsLine(line);
            walk.push_back(*c.pending);
        }
        EXPECT_EQ(walk, c.walk);
    }
}

TEST_F(SettingsSteps, OnlyThePendingCopyChanges) {
    StepSettingsLine(LineOf(L"sound"));
    StepSettingsLine(LineOf(L"font"));  // opens the font dialog instead; nothing to step
    EXPECT_EQ(soundPending, 0);
    EXPECT_EQ(sound, 1);
}

TEST_F(SettingsSteps, TheTwoColoursOfAPairNeverMatch) {
    for (int maximum : {maxChecker, maxDice}) {
        for (int value = 1; value <= maximum; ++value) {
            for (int other = 1; other <= maximum; ++other) {
                if (other == value) continue;
                const int next = DistinctStep(value, other, maximum);
                EXPECT_NE(next, other) << value << " against " << other;
                EXPECT_GE(next, 1);
                EXPECT_LE(next, maximum);
            }
        }
    }
    EXPECT_EQ(DistinctStep(3, 4, 32), 5);
    EXPECT_EQ(DistinctStep(32, 1, 32), 2);
    EXPECT_EQ(DistinctStep(31, 32, 32), 1);
}

TEST_F(SettingsSteps, ApplyCopiesAndAnnouncesOnlyTheChangedValues) {
    StepSettingsLine(LineOf(L"save"));       // 2 -> 3
    StepSettingsLine(LineOf(L"timestamp"));  // 0 -> 1
    StepSettingsLine(LineOf(L"skin"));       // 2 -> 3, not announced
    StepSettingsLine(LineOf(L"sound"));      // 1 -> 0 -> 1: no change
    StepSettingsLine(LineOf(L"sound"));
    const auto broadcasts = ApplyPendingSettings();
    ASSERT_EQ(broadcasts.size(), 2u);
    EXPECT_EQ(broadcasts[0].code, 11);
    EXPECT_EQ(broadcasts[0].value, 3);
    EXPECT_EQ(broadcasts[1].code, 12);
    EXPECT_EQ(broadcasts[1].value, 1);
    EXPECT_EQ(save, 3);
    EXPECT_EQ(timestamp, 1);
    EXPECT_EQ(skin, 3);
    EXPECT_TRUE(ApplyPendingSettings().empty()) << "nothing left to apply";
}

TEST_F(SettingsSteps, CancelRevertsEveryPendingCopy) {
    for (int line = 0; line < kSettingsLineCount; ++line)
        StepSettingsLine(line);
    RevertPendingSettings();
    for (const SettingRow& row : SettingRows()) {
        if (row.pending) {
            EXPECT_EQ(*row.pending, *row.committed) << "key " << row.key;
        }
    }
}

}  // namespace
