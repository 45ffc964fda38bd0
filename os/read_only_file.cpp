#include "os/read_only_file.h"

#include <utility>

#include "os/native_file.h"

namespace os {

ReadOnlyFile::ReadOnlyFile(const std::string& path) : native_(OpenForReading(path)) {}

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
    if (IsOpen()) {
        CloseFile(native_);
        native_ = -1;
    }
}

bool ReadOnlyFile::IsOpen() const {
    return native_ != -1;
}

long ReadOnlyFile::Read(void* buffer, std::size_t count) {
    return IsOpen() ? ReadFrom(native_, buffer, count) : -1;
}

}  // namespace os
