#include "os/local_time.h"

#include <windows.h>

namespace os {

namespace {

// Asking for the current zone costs a system call under Wine, several microseconds: a list of
// tens of thousands of dates reads it once a second at most, which still follows a change of
// zone made while the program runs.
const TIME_ZONE_INFORMATION* CurrentZone() {
    struct Cached {
        TIME_ZONE_INFORMATION zone{};
        ULONGLONG readAt = 0;
        bool valid = false;
    };
    thread_local Cached cached;
    const ULONGLONG now = GetTickCount64();
    if (!cached.valid || now - cached.readAt >= 1000) {
        cached.valid = GetTimeZoneInformation(&cached.zone) != TIME_ZONE_ID_INVALID;
        cached.readAt = now;
    }
    return cached.valid ? &cached.zone : nullptr;
}

}  // namespace

bool FileTimeToLocalCalendar(std::uint64_t fileTime, CalendarTime& out) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(fileTime & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(fileTime >> 32);
    SYSTEMTIME utc;
    SYSTEMTIME local;
    if (!FileTimeToSystemTime(&ft, &utc) ||
        !SystemTimeToTzSpecificLocalTime(CurrentZone(), &utc, &local)) {
        return false;
    }
    out = {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
    return true;
}

}  // namespace os
