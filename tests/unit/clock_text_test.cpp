#include <gtest/gtest.h>

#include <ctime>

#include "ui/clock_text.h"

TEST(ClockText, TwoDigitsEachAndTheServerOffsetMovesThem) {
    const std::int64_t now = 1'700'000'000;  // any second will do
    const auto here = ClockDigits(now, 0);
    for (const std::wstring& part : here) {
        ASSERT_EQ(part.size(), 2u);
        EXPECT_TRUE(iswdigit(part[0]) && iswdigit(part[1]));
    }
    const auto later = ClockDigits(now, 61);
    EXPECT_EQ(std::stoi(later[1]), (std::stoi(here[1]) + 1 + (std::stoi(here[2]) + 1) / 60) % 60);
    EXPECT_EQ(std::stoi(later[2]), (std::stoi(here[2]) + 1) % 60);
}
