#include "results/result_format.h"

#include <cstdio>

#include "os/local_time.h"

std::string FormatFileSize(double bytes) {
    char text[64];
    if (bytes >= 1073741824.0) {
        std::snprintf(text, sizeof text, "%.2f GB", bytes / 1073741824.0);
    } else if (bytes >= 1048576.0) {
        std::snprintf(text, sizeof text, "%.2f MB", bytes / 1048576.0);
    } else if (bytes >= 1024.0) {
        std::snprintf(text, sizeof text, "%.2f KB", bytes / 1024.0);
    } else {
        std::snprintf(text, sizeof text, "%.2f", bytes);
    }
    return text;
}

std::string FormatFileDate(std::uint64_t fileTime) {
    os::CalendarTime local;
    if (!os::FileTimeToLocalCalendar(fileTime, local)) {
        return std::string();
    }
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%d  %02d:%02d", local.month, local.day, local.year,
                  local.hour, local.minute);
    return text;
}
