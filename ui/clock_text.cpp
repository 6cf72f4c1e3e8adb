// The clock's digits.
#include "ui/clock_text.h"

#include <ctime>

std::array<std::wstring, 3> ClockDigits(std::int64_t now, std::int32_t offset) {
    const std::time_t shown = static_cast<std::time_t>(now + offset);
    const std::tm* local = std::localtime(&shown);
    std::array<std::wstring, 3> digits;
    if (local == nullptr) return {L"--", L"--", L"--"};
    const char* formats[3] = {"%H", "%M", "%S"};
    for (int i = 0; i < 3; ++i) {
        char text[8] = {};
        std::strftime(text, sizeof text, formats[i], local);
        digits[i] = std::wstring(text, text + std::char_traits<char>::length(text));
    }
    return digits;
}
