// Money, the clock, the language and the list rows as the hub shows them.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <utility>

#include "settings/settings.h"
#include "tests/unit/fakes/ui_port_fake.h"
#include "ui/clock_text.h"
#include "ui/language.h"
#include "ui/list_rows.h"
#include "ui/money_text.h"

namespace {

TEST(MoneyText, BalanceAndPlayMoney) {
    const struct {
        std::int32_t value;
        const wchar_t *balance, *money;
    } cases[] = {
        {0, L"\u20AC0.00", L"0.00"},
        {std::numeric_limits<std::int32_t>::max(), L"\u20AC21474836.47", L"21474836.47"},
        {std::numeric_limits<std::int32_t>::min(), L"-\u20AC21474836.48", L"-21474836.48"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(BalanceText(c.value), c.balance) << c.value;
        EXPECT_EQ(MoneyText(c.value), c.money) << c.value;
    }
}

// A change paints the rows of it shown on the page from row 10 and the row below them.
TEST(ListRows, AChangePaintsItsRowsShownAndTheOneBelow) {
    const struct {
        int first, last, top, bottom;
    } cases[] = {
        {0, 9, 0, 0}, {9, 10, 0, 32}, {15, 15, 80, 112}, {21, 30, 176, 208}, {22, 30, 0, 0}};
    for (const auto& c : cases) {
        const RowBand band = ChangedRowsBand(c.first, c.last, 10);
        EXPECT_EQ(std::pair(band.top, band.bottom), std::pair(c.top, c.bottom)) << c.first;
    }
    EXPECT_TRUE(RowMeetsBand(14, 10, {80, 112})) << "its text reaches into the band";
    EXPECT_FALSE(RowMeetsBand(17, 10, {80, 112}));
}

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

// Only a language with a flag moves the flag cursors.
TEST(SetLanguage, Steps) {
    const struct {
        int before, requested;
        std::vector<std::string> calls;
    } cases[] = {
        {2, 2, {}},
        {1, 4, {"cursors 4", "repaint", "relabel", "broadcast 4"}},
        {1, 5, {"repaint", "relabel", "broadcast 5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.requested);
        SetSetting(kLanguageKey, c.before);
        ClearLanguagePortCalls();
        SetLanguage(c.requested);
        EXPECT_EQ(language, c.requested);
        EXPECT_EQ(LanguagePortCalls(), c.calls);
    }
    SetSetting(kLanguageKey, 1);
}

}  // namespace
