// File times to the calendar time of the current time zone, with its daylight-saving rule.
#pragma once

#include <cstdint>

namespace os {

struct CalendarTime {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

// fileTime counts 100 ns since 1601-01-01 UTC. False when the time can't be converted.
bool FileTimeToLocalCalendar(std::uint64_t fileTime, CalendarTime& out);

}  // namespace os
