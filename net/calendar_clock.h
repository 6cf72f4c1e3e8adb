// The system's calendar time in whole seconds, as the sender's rules count it, and how
// long to sleep until a given second begins.
#pragma once

#include <chrono>
#include <cstdint>

std::int64_t CalendarSeconds();
// Time left until calendar second `second` has begun (zero if it already has).
std::chrono::milliseconds UntilCalendarSecond(std::int64_t second);
