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

int LineOf(std::wstring_view stem) {
    for (int line = 0; line < kSettingsLineCount; ++line)
        if (stem == kSettingStems[line]) return line;
    return -1;
}

// Every line walks its whole range in order from its default; white 1 and black 3 by
// default: white skips 3, black skips 1. Only the pending copy changes.
TEST_F(SettingsSteps, EveryLineStepsThroughItsRangeInOrder) {
    const struct {
        const wchar_t* stem;
        int* pending;
        std::vector<int> walk;
    } cases[] = {{L"foreground", &foregroundPending, {0, 1, 0}},
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
                 {L"whitechk", &whitechkPending, {2, 4, 5}},
                 {L"blackchk", &blackchkPending, {4, 5, 6}},
                 {L"whitedice", &whitedicePending, {2, 4, 1}},
                 {L"blackdice", &blackdicePending, {4, 2, 3}}};
    for (const auto& c : cases) {
        ResetSettingsToDefaults();
        const int line = LineOf(c.stem);
        ASSERT_GE(line, 0);
        std::vector<int> walk;
        for (std::size_t i = 0; i < c.walk.size(); ++i) {
            StepSettingsLine(line);
            walk.push_back(*c.pending);
        }
        EXPECT_EQ(walk, c.walk) << line;
    }
    StepSettingsLine(LineOf(L"font"));  // opens the font dialog instead; nothing to step
    StepSettingsLine(LineOf(L"sound"));
    EXPECT_EQ(soundPending, 0);
    EXPECT_EQ(sound, 1);
}

TEST_F(SettingsSteps, TheTwoColoursOfAPairNeverMatch) {
    for (int maximum : {maxChecker, maxDice})
        for (int value = 1; value <= maximum; ++value)
            for (int other = 1; other <= maximum; ++other) {
                if (other == value) continue;
                const int next = DistinctStep(value, other, maximum);
                EXPECT_TRUE(next != other && next >= 1 && next <= maximum)
                    << value << " against " << other << ": " << next;
            }
    EXPECT_EQ(DistinctStep(3, 4, 32), 5);
    EXPECT_EQ(DistinctStep(32, 1, 32), 2);
    EXPECT_EQ(DistinctStep(31, 32, 32), 1);
}

TEST_F(SettingsSteps, ApplyCopiesAndAnnouncesOnlyTheChangedValuesCancelRevertsAll) {
    StepSettingsLine(LineOf(L"save"));       // 2 -> 3
    StepSettingsLine(LineOf(L"timestamp"));  // 0 -> 1
    StepSettingsLine(LineOf(L"skin"));       // 2 -> 3, not announced
    StepSettingsLine(LineOf(L"sound"));      // 1 -> 0 -> 1: no change
    StepSettingsLine(LineOf(L"sound"));
    const auto broadcasts = ApplyPendingSettings();
    ASSERT_EQ(broadcasts.size(), 2u);
    EXPECT_EQ((std::pair{broadcasts[0].code, broadcasts[0].value}), (std::pair{11, 3}));
    EXPECT_EQ((std::pair{broadcasts[1].code, broadcasts[1].value}), (std::pair{12, 1}));
    EXPECT_EQ((std::vector{save, timestamp, skin}), (std::vector{3, 1, 3}));
    EXPECT_TRUE(ApplyPendingSettings().empty()) << "nothing left to apply";
    for (int line = 0; line < kSettingsLineCount; ++line)
        StepSettingsLine(line);
    RevertPendingSettings();
    for (const SettingRow& row : SettingRows())
        EXPECT_TRUE(!row.pending || *row.pending == *row.committed) << "key " << row.key;
}

}  // namespace
