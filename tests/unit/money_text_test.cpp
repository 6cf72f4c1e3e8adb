#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "ui/money_text.h"

TEST(MoneyText, BalanceAndPlayMoney) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    struct Case {
        std::int32_t value;
        const wchar_t* balance;
        const wchar_t* money;
    } cases[] = {
        {0, L"\u20AC0.00", L"0.00"},
        {7, L"\u20AC0.07", L"0.07"},
        {42, L"\u20AC0.42", L"0.42"},
        {100, L"\u20AC1.00", L"1.00"},
        {12345, L"\u20AC123.45", L"123.45"},
        {100000, L"\u20AC1000.00", L"1000.00"},
        {-5, L"-\u20AC0.05", L"-0.05"},
        {-12345, L"-\u20AC123.45", L"-123.45"},
        {kMax, L"\u20AC21474836.47", L"21474836.47"},
        {kMin, L"-\u20AC21474836.48", L"-21474836.48"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BalanceText(c.value), c.balance) << c.value;
        EXPECT_EQ(MoneyText(c.value), c.money) << c.value;
    }
}
