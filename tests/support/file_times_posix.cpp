#include "tests/support/file_times.h"

#include <fcntl.h>
#include <sys/stat.h>

bool SetFileWriteTime(const std::string& path, std::uint64_t fileTime) {
    const std::uint64_t sinceUnix = fileTime - 116444736000000000ULL;
    timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = static_cast<time_t>(sinceUnix / 10000000ULL);
    times[1].tv_nsec = static_cast<long>(sinceUnix % 10000000ULL) * 100;
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
