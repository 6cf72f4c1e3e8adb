// Work area, screen check, centring and clamping of the hub's windows.
#include <gtest/gtest.h>

#include "app/placement.h"
#include "settings/paths.h"

namespace {

TEST(Placement, WorkAreaLeavesOutTheTaskbarWhereverItIs) {
    const struct {
        ScreenRect taskbar, work;
    } cases[] = {{{0, 984, 1280, 1024}, {0, 0, 1280, 984}},
                 {{0, 0, 1280, 40}, {0, 40, 1280, 1024}},
                 {{0, 0, 60, 1024}, {60, 0, 1280, 1024}},
                 {{1220, 0, 1280, 1024}, {0, 0, 1220, 1024}},
                 {{0, 0, 0, 0}, {0, 0, 1280, 1024}}};
    for (const auto& c : cases)
        EXPECT_EQ(WorkAreaFrom({0, 0, 1280, 1024}, c.taskbar), c.work);
}

TEST(Placement, TheWindowPlusFrameMustFitAndIsCentredByHalvedCoordinates) {
    OuterSize outer = MainOuterSize(648, 488, 640, 480);
    EXPECT_EQ((std::pair{outer.width, outer.height}), (std::pair{648, 488}));
    EXPECT_TRUE(ScreenTooSmall({0, 0, 640, 480}, outer));
    EXPECT_TRUE(ScreenTooSmall({0, 0, 1280, 487}, outer));
    EXPECT_FALSE(ScreenTooSmall({0, 0, 648, 488}, outer));
    // With the taskbar on the left the halves are still of the coordinates: 60 + 640 - 324.
    const struct {
        ScreenRect work;
        OuterSize size;
        int x, y;
    } cases[] = {{{60, 40, 1280, 1024}, {648, 488}, 376, 308},
                 {{0, 0, 1281, 1025}, {649, 489}, 316, 268}};
    for (const auto& c : cases) {
        const auto centred = CentredPosition(c.work, c.size);
        EXPECT_EQ((std::pair{centred.x, centred.y}), (std::pair{c.x, c.y}));
    }
}

TEST(Placement, ClampingPullsTheWholeWindowIntoTheWorkArea) {
    const ScreenRect work{60, 40, 1280, 1024};
    const struct {
        ScreenPoint from;
        OuterSize size;
        ScreenPoint to;
    } cases[] = {{{-300, -20}, {648, 488}, {60, 40}},
                 {{632, 536}, {648, 488}, {632, 536}},
                 {{0, 0}, {2000, 2000}, {60, 40}}};  // larger: left and top win
    for (const auto& c : cases) {
        ScreenPoint got = ClampIntoWorkArea(c.from, c.size, work);
        EXPECT_EQ((std::pair{got.x, got.y}), (std::pair{c.to.x, c.to.y})) << c.from.x;
    }
}

TEST(Placement, ContactsWindowIsPulledInAndLiesOnTheWorkAreaOnlyWhole) {
    auto all = [](ContactsPlace p) { return std::vector{p.left, p.top, p.width, p.height}; };
    EXPECT_EQ(all(FitContacts({700, 500, 900, 900}, {0, 0, 800, 600})),
              (std::vector{0, 0, 800, 600}));
    // Only a place wholly on the work area lies on it.
    const struct {
        ContactsPlace place;
        bool lies;
    } cases[] = {{{100, 150, 300, 400}, true},       {{0, 40, 1280, 984}, true},
                 {{-1, 150, 300, 400}, false},       {{100, 39, 300, 400}, false},
                 {{981, 150, 300, 400}, false},      {{100, 625, 300, 400}, false},
                 {{-32000, -32000, 160, 24}, false}, {{100, 150, 2147483647, 400}, false}};
    for (const auto& c : cases)
        EXPECT_EQ(LiesOnWorkArea(c.place, {0, 40, 1280, 1024}), c.lies) << c.place.left;
}

TEST(ProgramFolder, IsTheCommandLineUpToItsLastBackslashPathsFallBackToIt) {
    const struct {
        std::wstring commandLine, folder;
    } cases[] = {{L"\"Z:\\some\\dir\\Tavlora.exe\"", L"Z:\\some\\dir\\"},
                 {L"\"C:\\Program Files\\Tavlora\\Tavlora.exe\"", L"C:\\Program Files\\Tavlora\\"},
                 {L"Tavlora.exe", L""},
                 {L"\"", L""},
                 {L"", L""},
                 {L"\"C:\\T.exe\" x\\y", L"C:\\T.exe\" x\\"}};
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFolderFromCommandLine(c.commandLine), c.folder);
    // The one option, after the program's path.
    for (std::wstring_view line :
         {L"\"Z:\\T.exe\" /log", L"T.exe  x\t/LoG", L"\"C:\\a b\\T.exe\" /Log"})
        EXPECT_TRUE(CommandLineAsksForLog(line)) << line.size();
    for (std::wstring_view line :
         {L"\"Z:\\a /log b\\T.exe\"", L"/log", L"T.exe /logs", L"T.exe log"})
        EXPECT_FALSE(CommandLineAsksForLog(line)) << line.size();
    SetProgramFolder(L"Z:\\p\\");
    FormPaths(L"C:\\users\\u\\Documents", L"");
    EXPECT_EQ(savedGamesFolder, L"C:\\users\\u\\Documents\\Tavlora\\SavedGames");
    EXPECT_EQ(configIniPath, L"Z:\\p\\\\config.ini");
    FormPaths(L"", L"C:\\users\\u\\AppData\\Local");
    EXPECT_EQ(documentsFolder, L"Z:\\p\\");
    EXPECT_EQ(configDatPath, L"C:\\users\\u\\AppData\\Local\\Tavlora\\config.dat");
}

}  // namespace
