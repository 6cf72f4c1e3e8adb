// The window class table: names, registration order, and one window per class.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/class_table.h"
#include "ui/registry_table.h"

namespace {

std::wstring NameAt(int row) {
    return kWindowClasses[row].name;
}

TEST(WindowClasses, NamesAreUnique) {
    std::set<std::wstring> names;
    for (const WindowClassRow& row : kWindowClasses)
        names.insert(row.name);
    EXPECT_EQ(names.size(), 150u);
}

TEST(WindowClasses, RegistrationOrder) {
    const struct {
        int row;
        const wchar_t* name;
    } cases[] = {
        {0, L"KXLobby0"},
        {1, L"contactswindowname"},
        {2, L"connectwindowname"},
        {3, L"statuslinewindowname"},
        {4, L"errorwindowname"},
        {7, L"loginwindowname"},
        {11, L"loginflag4windowname"},
        {12, L"uhrzeitwindowname"},
        {28, L"settingshead1buttonwindowname"},
        {29, L"foregroundueberschriftwindowname"},
        {30, L"foregroundinputwindowname"},
        {67, L"fontueberschriftwindowname"},
        {68, L"fontinputwindowname"},
        {69, L"cashierbodywindowname"},
        {74, L"closebuttonwindowname"},
        {84, L"logoffbuttonwindow2name"},
        {95, L"settingshead4buttonwindowname"},
        {96, L"foregroundueberschrift2windowname"},
        {135, L"fontinput2windowname"},
        {136, L"rbbutton1windowname"},
        {145, L"enterroombuttonwindowname"},
        {146, L"entertournyroombuttonwindowname"},
        {147, L"contactsoptionswindowname"},
        {148, L"contactsaddcancelwindowname"},
        {149, L"contactsaddaddwindowname"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        EXPECT_EQ(NameAt(c.row), c.name);
    }
}

TEST(WindowClasses, EverySettingsStemHasBothPairsInStemOrder) {
    for (int line = 0; line < kSettingsLineCount; ++line) {
        std::wstring stem = kSettingStems[line];
        SCOPED_TRACE(std::string(stem.begin(), stem.end()));
        EXPECT_EQ(NameAt(29 + 2 * line), stem + L"ueberschriftwindowname");
        EXPECT_EQ(NameAt(30 + 2 * line), stem + L"inputwindowname");
        EXPECT_EQ(NameAt(96 + 2 * line), stem + L"ueberschrift2windowname");
        EXPECT_EQ(NameAt(97 + 2 * line), stem + L"input2windowname");
        // The line's controls act on their own line.
        EXPECT_EQ(kWindowClasses[96 + 2 * line].param, line);
        EXPECT_EQ(kWindowClasses[97 + 2 * line].param, line);
    }
}

TEST(WindowClasses, EachClassHasExactlyOneRegistryWindow) {
    int windows[kWindowClassCount] = {};
    for (const RegistryEntry& entry : kRegistry) {
        if (entry.style & kStandardClass) continue;
        int row = ClassRowNamed(entry.className);
        ASSERT_GE(row, 0);
        ++windows[row];
    }
    for (int row = 0; row < kWindowClassCount; ++row) {
        SCOPED_TRACE(row);
        EXPECT_EQ(windows[row], 1);
    }
}

TEST(WindowClasses, PushButtonsHaveAHitBoxAndAnImage) {
    for (const WindowClassRow& row : kWindowClasses) {
        bool push = row.family >= Family::IconButton && row.family <= Family::SwatchButton;
        if (!push) continue;
        std::wstring name = row.name;
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_GT(row.hitWidth, 0);
        EXPECT_GT(row.hitHeight, 0);
        EXPECT_GT(row.bitmap, 0);
    }
}

}  // namespace
