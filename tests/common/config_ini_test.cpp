// config.ini codec: the outer layer, the written record order, and the reader's rules
// record by record; config.dat: exactly 96 bytes, the colour little-endian after the 92
// font bytes. Runs natively and under Wine (wide text differs in width there).
#include <gtest/gtest.h>

#include <vector>

#include "net/text_convert.h"
#include "settings/config_dat.h"
#include "settings/config_ini.h"
#include "settings/settings.h"
#include "tests/common/test_text.h"

namespace {

std::string Wrap(std::string_view inner) {
    return InsertFillerCharacters(Base64Encode(inner));
}

// Every option of keys 4..29, named here independently of the program's own table, with
// a valid value that differs from its default.
struct Option {
    int key;
    const int* committed;
    const int* pending;
    int other;
};
const Option kOptions[] = {{4, &language, nullptr, 3},
                           {5, &foreground, &foregroundPending, 0},
                           {6, &sound, &soundPending, 0},
                           {7, &autodelay, &autodelayPending, 4},
                           {8, &tablesize, &tablesizePending, 1},
                           {9, &save, &savePending, 0},
                           {10, &skin, &skinPending, 4},
                           {11, &whitechk, &whitechkPending, 32},
                           {12, &blackchk, &blackchkPending, 31},
                           {13, &whitedice, &whitedicePending, 4},
                           {14, &blackdice, &blackdicePending, 2},
                           {15, &cube, &cubePending, 4},
                           {16, &skiproll, &skiprollPending, 0},
                           {17, &skipmove, &skipmovePending, 0},
                           {18, &forcedmove, &forcedmovePending, 0},
                           {19, &autobearoff, &autobearoffPending, 0},
                           {20, &animate, &animatePending, 0},
                           {21, &animatespeed, &animatespeedPending, 5},
                           {22, &timestamp, &timestampPending, 1},
                           {23, &enterexit, &enterexitPending, 0},
                           {24, &RoomSortMode, nullptr, 5},
                           {25, &TournamentSortMode, nullptr, 3},
                           {26, &contactsAtLogin, nullptr, 0},
                           {27, &contactsOnTop, nullptr, 0},
                           {28, &contactSortOrder, nullptr, 0},
                           {29, &showIgnored, nullptr, 0}};

// Both copies of every option; `changed` (if any) is expected at `value`.
std::vector<int> Options(const Option* changed = nullptr, int value = 0) {
    std::vector<int> values;
    for (const Option& option : kOptions) {
        const bool isChanged = &option == changed;
        values.push_back(isChanged ? value : *option.committed);
        values.push_back(!option.pending ? -1 : isChanged ? value : *option.pending);
    }
    return values;
}

class ConfigIni : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToDefaults(); }
    void TearDown() override { ResetSettingsToDefaults(); }
};

TEST(ConfigIniFiller, FollowsEveryThirdCharacterAndCyclesSixteen) {
    // Removal keeps positions 4k to 4k + 2, so the filler after a shorter last group
    // stays; Base64 decoding then ignores it as a lone character.
    const struct {
        std::string middle, outer, kept;
    } cases[] = {{"", "", ""},
                 {"N", "Nk", "Nk"},
                 {"NzMh", "NzMkho", "NzMho"},
                 {"ABCDEF", "ABCkDEFo", "ABCDEF"},
                 {std::string(17 * 3, 'x'),
                  "xxxkxxxoxxxrxxxbxxxTxxxAxxxNxxxExxxWxxxLxxxpxxxixxxvxxxmxxxsxxxuxxxk",
                  std::string(17 * 3, 'x')}};
    for (const auto& c : cases) {
        EXPECT_EQ(InsertFillerCharacters(c.middle), c.outer);
        EXPECT_EQ(RemoveFillerCharacters(c.outer), c.kept);
    }
    EXPECT_EQ(RemoveFillerCharacters("ABC?DEF!GH"), "ABCDEFGH") << "filler is not checked";
}

TEST_F(ConfigIni, EveryOptionIsReadIntoItsOwnVariablesAndWrittenBack) {
    for (const Option& option : kOptions) {
        SCOPED_TRACE(testing::Message() << "key " << option.key);
        ResetSettingsToDefaults();
        const std::vector<int> expected = Options(&option, option.other);
        ApplyConfigIni(
            Wrap("73!" + std::to_string(option.key) + " " + std::to_string(option.other) + "!"));
        EXPECT_EQ(Options(), expected);
        ResetSettingsToDefaults();
        SetSetting(option.key, option.other);
        std::string file = ComposeConfigIni({});
        ResetSettingsToDefaults();
        ApplyConfigIni(file);
        EXPECT_EQ(Options(), expected);
    }
}

// On/off options only switch off, the timestamp only on; the last valid record of a key
// wins; a record needs its exact field count.
TEST_F(ConfigIni, ReaderRulesRecordByRecord) {
    int height = 0, positionKnown = 0, rectKnown = 0;  // copied from the settings read
    const struct {
        std::string file;  // the file's bytes; a leading '=' means "wrap this inner text"
        const int* variable;
        int expected;
    } cases[] = {{"", &tablesize, 3},
                 {"=73!8 1", &tablesize, 1},
                 {"=70!8 1!", &tablesize, 1},
                 {"=69!8 1!", &tablesize, 3},
                 {"=73 1!8 1!", &tablesize, 3},
                 {"=!!73!!8 1!!", &tablesize, 1},
                 {"=73!8 5!", &tablesize, 3},
                 {"=73!8 0!", &tablesize, 3},
                 {"=73!11 0!", &whitechk, 1},
                 {"=73!12 1!", &blackchk, 1},
                 {"=73!11 33!", &whitechk, 1},
                 {"=73!9 4!", &save, 2},
                 {"=73!21 6!", &animatespeed, 1},
                 {"=73!24 6!", &RoomSortMode, 0},
                 {"=73!7 0!", &autodelay, 2},
                 {"=73!4 3!4 1!", &language, 1},
                 {"=73!4 3!4 0!", &language, 3},
                 {"=73!4 4!", &language, 4},
                 {"=73!4 5!", &language, 1},
                 {"=73!5 0!5 1!", &foreground, 0},
                 {"=73!5 x!", &foreground, 1},
                 {"=73!5 00!", &foreground, 1},
                 {"=73!22 01!", &timestamp, 0},
                 {"=73!22 1!22 0!", &timestamp, 1},
                 {"=73!28 0!28 1!", &contactSortOrder, 0},
                 {"=73!8 1!8 2!", &tablesize, 2},
                 {"=73!8 1!8 9!", &tablesize, 1},
                 {"=73!8 1 2!", &tablesize, 3},
                 {"=73!8!", &tablesize, 3},
                 {"=73!8  1!", &tablesize, 3},
                 {"=73!99 1!0 1!-8 1!", &tablesize, 3},
                 {"=73!1 -20 30!", &mainWindowLeft, -20},
                 {"=73!1 -20 30!", &mainWindowTop, 30},
                 {"=73!1 -20 30!", &positionKnown, 1},
                 {"=73!1 5!", &positionKnown, 0},
                 {"=73!2 1 2 3 4!", &height, 4},
                 {"=73!2 1 2 3 4!", &rectKnown, 1},
                 {"=73!2 1 2 3!", &rectKnown, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ResetSettingsToDefaults();
        ApplyConfigIni(c.file.starts_with('=') ? Wrap(c.file.substr(1)) : c.file);
        height = contactsRect.height;
        positionKnown = mainWindowPositionKnown;
        rectKnown = contactsRectKnown;
        EXPECT_EQ(*c.variable, c.expected);
    }
    std::string middle = Base64Encode("73!8 1!10 3!");
    middle[12] = '*';  // characters 0..11 carry the first 9 bytes, "73!8 1!10"
    ResetSettingsToDefaults();
    ApplyConfigIni(InsertFillerCharacters(middle));
    EXPECT_EQ(tablesize, 1) << "a damaged middle layer keeps the records before it";
    EXPECT_EQ(skin, 2);
}

TEST_F(ConfigIni, RememberedLogin) {
    const std::u16string name = u"\u0141ukasz\u00df", password = u"za\u017c\u00f3\u0142\u0107";
    const struct {
        std::u16string name, password;
        bool present;
    } cases[] = {{name, password, true}, {name, u"", false}, {u"", password, false}};
    for (const auto& c : cases) {
        ConfigIniWriteInput input;
        input.loggedInUserName = W(c.name);
        input.loggedInPassword = W(c.password);
        ConfigIniContents read = ApplyConfigIni(ComposeConfigIni(input));
        EXPECT_EQ(read.loginPresent, c.present);
        EXPECT_EQ(Units(read.userName), Units(c.present ? W(c.name) : L""));
        EXPECT_EQ(Units(read.password), Units(c.present ? W(c.password) : L""));
    }
    ConfigIniContents read = ApplyConfigIni(Wrap("73!3  pw!"));
    EXPECT_TRUE(read.loginPresent) << "two spaces: an empty name and a password";
    EXPECT_EQ(Units(read.userName), "");
    EXPECT_EQ(Units(read.password), Units(L"pw"));
    EXPECT_FALSE(ApplyConfigIni(Wrap("73!3 a b c!")).loginPresent);
}

TEST_F(ConfigIni, RoomPositionsKeepFileOrderAndRoundTrip) {
    ConfigIniContents read =
        ApplyConfigIni(Wrap("73!30 5 10 20!31 7 1 2!30 6 -3 4!30 1 2!31 8 0 0 0!30 5 1 1!"));
    using P = RememberedWindowPosition;
    EXPECT_EQ(read.rooms, (std::vector<P>{{5, 10, 20}, {6, -3, 4}, {5, 1, 1}}));
    EXPECT_EQ(read.tournamentRooms, (std::vector<P>{{7, 1, 2}}));
    ConfigIniWriteInput input{1, 2, L"user", L"pass", read.rooms, {{9, -639, 9999}}};
    ConfigIniContents again = ApplyConfigIni(ComposeConfigIni(input));
    EXPECT_EQ(again.rooms, input.rooms);
    EXPECT_EQ(again.tournamentRooms, input.tournamentRooms);
}

TEST(ConfigDat, TakesOnlyExactly96BytesAndRoundTrips) {
    const std::string record = std::string(kChatFontBytes, '\7') + "\x33\x22\x11\x80";
    const struct {
        std::string bytes;
        bool taken;
    } cases[] = {{"", false}, {record.substr(1), false}, {record + "x", false}, {record, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.size());
        ResetSettingsToDefaults();
        EXPECT_EQ(ApplyConfigDat(c.bytes), c.taken);
        EXPECT_EQ(chatFont[0] + chatFont[kChatFontBytes - 1], c.taken ? 14 : 0);
        EXPECT_EQ(chatFontColour, c.taken ? 0x80112233u : 0u);
        EXPECT_EQ(Hex(ComposeConfigDat()), Hex(c.taken ? record : std::string(96, '\0')));
    }
    ResetSettingsToDefaults();
}

}  // namespace
