// Money as the account panel shows it.
#include "ui/money_text.h"

namespace {

// The digits of |value|, left-padded with "0" to at least three, split before the last
// two. Works on the magnitude in 64 bits so the most negative amount has one too.
std::wstring Magnitude(std::int64_t value) {
    std::wstring digits = std::to_wstring(value < 0 ? -value : value);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), L'0');
    digits.insert(digits.size() - 2, 1, L'.');
    return digits;
}

}  // namespace

std::wstring MoneyText(std::int32_t hundredths) {
    return (hundredths < 0 ? L"-" : L"") + Magnitude(hundredths);
}

std::wstring BalanceText(std::int32_t hundredths) {
    return (hundredths < 0 ? L"-\u20AC" : L"\u20AC") + Magnitude(hundredths);
}
