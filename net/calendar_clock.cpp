// Calendar seconds from the system clock.
#include "net/calendar_clock.h"

#include <ctime>

std::int64_t CalendarSeconds() {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::chrono::milliseconds UntilCalendarSecond(std::int64_t second) {
    using namespace std::chrono;
    auto now = duration_cast<milliseconds>(system_clock::now().time_since_epoch());
    auto due = milliseconds(second * 1000);
    // One extra millisecond so the wake-up never lands just before the second turns.
    return due > now ? due - now + milliseconds(1) : milliseconds(0);
}
