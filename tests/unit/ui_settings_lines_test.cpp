// What the settings lines show for the pending values, and which lines a page shows.
#include <gtest/gtest.h>

#include "settings/settings.h"
#include "tests/common/test_text.h"
#include "ui/settings_lines.h"

namespace {

int LineOf(const wchar_t* stem) {
    for (int line = 0; line < kSettingsLineCount; ++line) {
        if (std::wstring(kSettingStems[line]) == stem) return line;
    }
    return -1;
}

struct ValueCase {
    const wchar_t* stem;
    int* pending;
    int value;
    int language;
    std::u16string expected;
};

TEST(SettingsLines, ValueTexts) {
    const ValueCase cases[] = {
        {L"sound", &soundPending, 1, 1, u"Yes"},
        {L"sound", &soundPending, 0, 3, u"No"},
        {L"foreground", &foregroundPending, 2, 2, u"Nein"},  // only exactly 1 is yes
        {L"autodelay", &autodelayPending, 2, 4, u"D\u0142ugi"},
        {L"autodelay", &autodelayPending, 4, 4, u"Kr\u00f3tki"},
        {L"autodelay", &autodelayPending, 1, 3, u"Zero"},
        {L"tablesize", &tablesizePending, 4, 2, u"1280 x 960"},
        {L"save", &savePending, 0, 4, u"Brak"},
        {L"save", &savePending, 3, 1, u"Snowie4"},
        {L"animatespeed", &animatespeedPending, 1, 2, u"1 Sekunde"},
        {L"animatespeed", &animatespeedPending, 0, 4, u"0 sekund"},
        {L"animatespeed", &animatespeedPending, 5, 1, u"5 seconds"},
        {L"animatespeed", &animatespeedPending, 1, 4, u"1 sekunda"},
        {L"font", nullptr, 0, 2, u"Klick"},
        {L"skin", &skinPending, 2, 1, u""},
    };
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.value);
        int line = LineOf(c.stem);
        ASSERT_GE(line, 0);
        if (c.pending != nullptr) *c.pending = c.value;
        EXPECT_EQ(Units(SettingsValueText(line, c.language)), Units(W(c.expected)));
    }
    ResetSettingsToDefaults();
}

TEST(SettingsLines, SwatchBitmapsFollowThePendingDesign) {
    const struct {
        const wchar_t* stem;
        int* pending;
        int value;
        int bitmap;
    } cases[] = {
        {L"skin", &skinPending, 3, 603},           {L"whitechk", &whitechkPending, 32, 732},
        {L"blackchk", &blackchkPending, 5, 705},   {L"whitedice", &whitedicePending, 1, 801},
        {L"blackdice", &blackdicePending, 4, 804}, {L"cube", &cubePending, 2, 902},
        {L"sound", &soundPending, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bitmap);
        *c.pending = c.value;
        EXPECT_EQ(SettingsSwatchBitmap(LineOf(c.stem)), c.bitmap);
    }
    ResetSettingsToDefaults();
}

TEST(SettingsLines, PagesAndRows) {
    const struct {
        const wchar_t* stem;
        int page;
        int top;
    } cases[] = {
        {L"skin", 1, 101},      {L"cube", 1, 261},     {L"foreground", 2, 101},
        {L"save", 2, 229},      {L"skiproll", 3, 101}, {L"animatespeed", 3, 261},
        {L"timestamp", 4, 101}, {L"font", 4, 165},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.top);
        int line = LineOf(c.stem);
        EXPECT_EQ(SettingsLinePage(line), c.page);
        EXPECT_EQ(SettingsLineTop(line), c.top);
    }
}

TEST(SettingsLines, AnimationDelayShowsOnlyWhileAnimationIsOn) {
    int speed = LineOf(L"animatespeed");
    EXPECT_TRUE(SettingsLineVisible(speed, 3, 1));
    EXPECT_FALSE(SettingsLineVisible(speed, 3, 0));
    EXPECT_FALSE(SettingsLineVisible(speed, 1, 1));
    EXPECT_TRUE(SettingsLineVisible(LineOf(L"animate"), 3, 0));
    EXPECT_FALSE(SettingsLineVisible(LineOf(L"skin"), 2, 1));
}

}  // namespace
