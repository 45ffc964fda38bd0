#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "os/native_file.h"

namespace os {

std::intptr_t OpenForReading(const std::string& path) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

long ReadFrom(std::intptr_t handle, void* buffer, std::size_t count) {
    ssize_t n;
    do {
        n = read(static_cast<int>(handle), buffer, count);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

void CloseFile(std::intptr_t handle) {
    close(static_cast<int>(handle));
}

}  // namespace os
