// The window class table: what its rows must agree on among themselves and with the
// window registry and the settings lines.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/class_table.h"
#include "ui/registry_table.h"

namespace {

TEST(WindowClasses, EachNameIsUniqueAndHasExactlyOneRegistryWindow) {
    std::set<std::wstring> names;
    for (const WindowClassRow& row : kWindowClasses)
        names.insert(row.name);
    EXPECT_EQ(names.size(), static_cast<std::size_t>(kWindowClassCount));
    int windows[kWindowClassCount] = {};
    for (const RegistryEntry& entry : kRegistry) {
        if (entry.style & kStandardClass) continue;
        int row = ClassRowNamed(entry.className);
        ASSERT_GE(row, 0);
        ++windows[row];
    }
    for (int row = 0; row < kWindowClassCount; ++row)
        EXPECT_EQ(windows[row], 1) << row;
}

TEST(WindowClasses, SettingsLinesHaveTheirStemsPairsActingOnTheirOwnLine) {
    for (int line = 0; line < kSettingsLineCount; ++line) {
        const std::wstring stem = kSettingStems[line];
        SCOPED_TRACE(line);
        const int frames = kFirstSettingsFrameRow + 2 * line;
        const int buttons = kFirstSettingsButtonRow + 2 * line;
        EXPECT_EQ(kWindowClasses[frames].name, stem + L"ueberschriftwindowname");
        EXPECT_EQ(kWindowClasses[frames + 1].name, stem + L"inputwindowname");
        EXPECT_EQ(kWindowClasses[buttons].name, stem + L"ueberschrift2windowname");
        EXPECT_EQ(kWindowClasses[buttons + 1].name, stem + L"input2windowname");
        EXPECT_EQ(kWindowClasses[buttons].param, line);
        EXPECT_EQ(kWindowClasses[buttons + 1].param, line);
    }
}

TEST(WindowClasses, PushButtonsHaveAHitBoxAndAnImage) {
    for (const WindowClassRow& row : kWindowClasses) {
        if (row.family < Family::IconButton || row.family > Family::SwatchButton) continue;
        EXPECT_TRUE(row.hitWidth > 0 && row.hitHeight > 0 && row.bitmap > 0)
            << std::string(row.name, row.name + std::wcslen(row.name));
    }
}

}  // namespace
