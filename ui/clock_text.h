// The clock's digits: the local time of the server's clock.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Hours, minutes and seconds, two digits each, of the local time at `now` + `offset`
// seconds (the server clock offset).
std::array<std::wstring, 3> ClockDigits(std::int64_t now, std::int32_t offset);
