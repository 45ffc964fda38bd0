#include "os/read_only_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <utility>

namespace os {

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    int fd;
    do {
        fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    native_ = fd;
}

ReadOnlyFile::~ReadOnlyFile() {
    Close();
}

ReadOnlyFile::ReadOnlyFile(ReadOnlyFile&& other) noexcept
    : native_(std::exchange(other.native_, -1)) {}

ReadOnlyFile& ReadOnlyFile::operator=(ReadOnlyFile&& other) noexcept {
    if (this != &other) {
        Close();
        native_ = std::exchange(other.native_, -1);
    }
    return *this;
}

void ReadOnlyFile::Close() {
    if (native_ >= 0) {
        close(static_cast<int>(native_));
        native_ = -1;
    }
}

bool ReadOnlyFile::IsOpen() const {
    return native_ >= 0;
}

long ReadOnlyFile::Read(void* buffer, std::size_t count) {
    if (native_ < 0) {
        return -1;
    }
    ssize_t n;
    do {
        n = read(static_cast<int>(native_), buffer, count);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

}  // namespace os
