#include "os/local_time.h"

#include <ctime>

namespace os {

bool FileTimeToLocalCalendar(std::uint64_t fileTime, CalendarTime& out) {
    constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600LL;
    const auto seconds =
        static_cast<std::int64_t>(fileTime / 10000000ULL) - kUnixEpochInFileTimeSeconds;
    const auto t = static_cast<std::time_t>(seconds);
    if (static_cast<std::int64_t>(t) != seconds) {
        return false;
    }
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return false;
    }
    out = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
           local.tm_hour,        local.tm_min,     local.tm_sec};
    return true;
}

}  // namespace os
