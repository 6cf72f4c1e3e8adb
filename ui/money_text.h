// The account panel's numbers as text.
#pragma once

#include <cstdint>
#include <string>

// Hundredths as "<units>.<hundredths>" with at least one unit digit: 5 -> "0.05",
// 100000 -> "1000.00". A negative amount shows its minus sign first: -5 -> "-0.05".
std::wstring MoneyText(std::int32_t hundredths);
// The account balance: the euro sign after any minus sign: 12345 -> "€123.45",
// -5 -> "-€0.05".
std::wstring BalanceText(std::int32_t hundredths);
