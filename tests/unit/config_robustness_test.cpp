// The config.ini reader against a 50 MB file, and the start-up rule for the players'
// designs. Random files are the config_ini fuzz target's.
#include <gtest/gtest.h>

#include "net/text_convert.h"
#include "settings/config_ini.h"
#include "settings/settings.h"

namespace {

class ConfigIniRobustness : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToDefaults(); }
    void TearDown() override { ResetSettingsToDefaults(); }
};

TEST_F(ConfigIniRobustness, FiftyMegabyteFileIsReadToItsLastRecord) {
    // Real records around one huge record of zero bytes ("AAAA" decodes to 3 of them).
    std::string head = "73!8 4!5 0!";
    for (int room = 1; room <= 100'000; ++room)
        head += "30 " + std::to_string(room) + " 1 2!";
    head += "99 ";
    head.resize((head.size() + 2) / 3 * 3, ' ');
    const std::string file = InsertFillerCharacters(
        Base64Encode(head) + std::string(36'000'000, 'A') + Base64Encode("!9 1!"));
    ASSERT_GE(file.size(), 50'000'000u);
    ConfigIniContents read = ApplyConfigIni(file);
    EXPECT_EQ((std::vector{tablesize, foreground, save}), (std::vector{4, 0, 1}))
        << "the last record was read";
    ASSERT_EQ(read.rooms.size(), 100'000u);
    EXPECT_EQ(read.rooms.back(), (RememberedWindowPosition{100'000, 1, 2}));
}

TEST(MakePlayerColoursDistinct, BlackMovesUpAndWraps) {
    const struct {
        int whiteDice, blackDice, whiteChecker, blackChecker, expectedDice, expectedChecker;
    } cases[] = {{2, 2, 1, 3, 3, 3}, {4, 4, 1, 3, 1, 3},    {1, 3, 32, 32, 3, 1},
                 {3, 1, 5, 5, 1, 6}, {1, 2, 31, 32, 2, 32}, {4, 4, 32, 32, 1, 1}};
    for (const auto& c : cases) {
        SetSetting(13, c.whiteDice);  // keys 13 and 14 the dice, 11 and 12 the checkers
        SetSetting(14, c.blackDice);
        SetSetting(11, c.whiteChecker);
        SetSetting(12, c.blackChecker);
        MakePlayerColoursDistinct();
        EXPECT_EQ((std::vector{whitedice, blackdice, blackdicePending, whitechk, blackchk,
                               blackchkPending}),
                  (std::vector{c.whiteDice, c.expectedDice, c.expectedDice, c.whiteChecker,
                               c.expectedChecker, c.expectedChecker}));
    }
    ResetSettingsToDefaults();
}

}  // namespace
