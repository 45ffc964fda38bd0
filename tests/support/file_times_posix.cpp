// TempTree's write times on POSIX systems.
#include <fcntl.h>
#include <sys/stat.h>

#include <stdexcept>

#include "tests/support/temp_tree.h"

void TempTree::SetWriteTime(const std::string& relative, std::uint64_t fileTime) const {
    const std::uint64_t sinceUnix = fileTime - 116444736000000000ULL;
    timespec times[2] = {{0, UTIME_OMIT}, {}};
    times[1].tv_sec = static_cast<time_t>(sinceUnix / 10000000ULL);
    times[1].tv_nsec = static_cast<long>(sinceUnix % 10000000ULL) * 100;
    if (utimensat(AT_FDCWD, Path(relative).c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time of " + relative);
    }
}
