// Work area, screen check, centring and clamping of the hub's windows.
#include <gtest/gtest.h>

#include "settings/paths.h"
#include "app/placement.h"

namespace {

TEST(Placement, WorkAreaLeavesOutTheTaskbarWhereverItIs) {
    const ScreenRect desktop{0, 0, 1280, 1024};
    struct Case {
        const char* note;
        ScreenRect taskbar, work;
    } cases[] = {
        {"bottom", {0, 984, 1280, 1024}, {0, 0, 1280, 984}},
        {"top", {0, 0, 1280, 40}, {0, 40, 1280, 1024}},
        {"left", {0, 0, 60, 1024}, {60, 0, 1280, 1024}},
        {"right", {1220, 0, 1280, 1024}, {0, 0, 1220, 1024}},
        {"no taskbar", {0, 0, 0, 0}, {0, 0, 1280, 1024}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(WorkAreaFrom(desktop, c.taskbar), c.work);
    }
}

TEST(Placement, TheWindowPlusFrameMustFitTheWorkArea) {
    OuterSize outer = MainOuterSize(648, 488, 640, 480);
    EXPECT_EQ(outer.width, 648);
    EXPECT_EQ(outer.height, 488);
    EXPECT_TRUE(ScreenTooSmall({0, 0, 640, 480}, outer));
    EXPECT_TRUE(ScreenTooSmall({0, 0, 1280, 487}, outer));
    EXPECT_FALSE(ScreenTooSmall({0, 0, 648, 488}, outer));
}

TEST(Placement, CentringHalvesTheRightAndBottomCoordinates) {
    EXPECT_EQ(CentredPosition({0, 0, 1280, 1024}, {648, 488}).x, 316);
    EXPECT_EQ(CentredPosition({0, 0, 1280, 1024}, {648, 488}).y, 268);
    // With the taskbar on the left the halves are still of the coordinates: 60 + 640 - 324.
    EXPECT_EQ(CentredPosition({60, 40, 1280, 1024}, {648, 488}).x, 376);
    EXPECT_EQ(CentredPosition({60, 40, 1280, 1024}, {648, 488}).y, 308);
    EXPECT_EQ(CentredPosition({0, 0, 1281, 1025}, {649, 489}).x, 640 - 324);
}

TEST(Placement, ClampingPullsTheWholeWindowIntoTheWorkArea) {
    const ScreenRect work{60, 40, 1280, 1024};
    const OuterSize size{648, 488};
    struct Case {
        const char* note;
        ScreenPoint from, to;
    } cases[] = {
        {"inside stays", {100, 100}, {100, 100}},
        {"far off screen right and down", {5000, 3000}, {632, 536}},
        {"left of and above the work area", {-300, -20}, {60, 40}},
        {"bottom right corner exactly", {632, 536}, {632, 536}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        ScreenPoint got = ClampIntoWorkArea(c.from, size, work);
        EXPECT_EQ(got.x, c.to.x);
        EXPECT_EQ(got.y, c.to.y);
    }
    // Larger than the work area: left and top win.
    ScreenPoint big = ClampIntoWorkArea({0, 0}, {2000, 2000}, work);
    EXPECT_EQ(big.x, 60);
    EXPECT_EQ(big.y, 40);
}

TEST(Placement, ContactsWindowDefaultsToTheTopRightAndIsPulledIn) {
    ContactsPlace fresh = PlaceContacts(false, {}, {0, 40, 1280, 1024});
    EXPECT_EQ(fresh.left, 980);
    EXPECT_EQ(fresh.top, 40);
    EXPECT_EQ(fresh.width, 300);
    EXPECT_EQ(fresh.height, 400);
    ContactsPlace off = PlaceContacts(true, {3000, -50, 320, 500}, {0, 0, 1280, 1024});
    EXPECT_EQ(off.left, 960);
    EXPECT_EQ(off.top, 0);
    EXPECT_EQ(off.width, 320);
    ContactsPlace shrunk = FitContacts({700, 500, 900, 900}, {0, 0, 800, 600});
    EXPECT_EQ(shrunk.width, 800);
    EXPECT_EQ(shrunk.height, 600);
    EXPECT_EQ(shrunk.left, 0);
    EXPECT_EQ(shrunk.top, 0);
}

TEST(Placement, OnlyAContactsPlaceWhollyOnTheWorkAreaLies) {
    const ScreenRect work{0, 40, 1280, 1024};
    struct Case {
        const char* note;
        ContactsPlace place;
        bool lies;
    } cases[] = {
        {"inside", {100, 150, 300, 400}, true},
        {"touching every edge", {0, 40, 1280, 984}, true},
        {"one pixel left", {-1, 150, 300, 400}, false},
        {"one pixel above (on the taskbar)", {100, 39, 300, 400}, false},
        {"one pixel past the right", {981, 150, 300, 400}, false},
        {"one pixel past the bottom", {100, 625, 300, 400}, false},
        {"minimised far away", {-32000, -32000, 160, 24}, false},
        {"huge size that would wrap", {100, 150, 2147483647, 400}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.note);
        EXPECT_EQ(LiesOnWorkArea(c.place, work), c.lies);
    }
}

TEST(ProgramFolder, IsTheCommandLineUpToItsLastBackslash) {
    struct Case {
        std::wstring commandLine, folder;
    } cases[] = {
        {L"\"Z:\\some\\dir\\Tavlora.exe\"", L"Z:\\some\\dir\\"},
        {L"\"C:\\Program Files\\Tavlora\\Tavlora.exe\"", L"C:\\Program Files\\Tavlora\\"},
        {L"Tavlora.exe", L""},
        {L"\"", L""},
        {L"", L""},
        {L"\"C:\\T.exe\" x\\y", L"C:\\T.exe\" x\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProgramFolderFromCommandLine(c.commandLine), c.folder);
}

TEST(Paths, FallBackToTheProgramFolder) {
    ProgramFolder = L"Z:\\p\\";
    FormPaths(L"C:\\users\\u\\Documents", L"");
    EXPECT_EQ(savedGamesFolder, L"C:\\users\\u\\Documents\\Tavlora\\SavedGames");
    EXPECT_EQ(configIniPath, L"Z:\\p\\\\config.ini");
    FormPaths(L"", L"C:\\users\\u\\AppData\\Local");
    EXPECT_EQ(documentsFolder, L"Z:\\p\\");
    EXPECT_EQ(configDatPath, L"C:\\users\\u\\AppData\\Local\\Tavlora\\config.dat");
}

}  // namespace
