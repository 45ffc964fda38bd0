#include "os/read_only_file.h"

#include <windows.h>

#include <utility>

#include "os/win32/system_paths.h"
#include "os/win32/wide_path.h"

namespace os {

namespace {

HANDLE AsHandle(std::intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

}  // namespace

ReadOnlyFile::ReadOnlyFile(const std::string& path) {
    std::wstring wide;
    if (!LongPath(path, wide)) {
        return;
    }
    // Full sharing: reading a file must never stop another program from saving it.
    HANDLE h =
        CreateFileAt(wide.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, 0);
    native_ = reinterpret_cast<std::intptr_t>(h);
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
    if (IsOpen()) {
        CloseHandle(AsHandle(native_));
        native_ = -1;
    }
}

bool ReadOnlyFile::IsOpen() const {
    return AsHandle(native_) != INVALID_HANDLE_VALUE;
}

long ReadOnlyFile::Read(void* buffer, std::size_t count) {
    DWORD got = 0;
    if (!IsOpen() ||
        !ReadFile(AsHandle(native_), buffer, static_cast<DWORD>(count), &got, nullptr)) {
        return -1;
    }
    return static_cast<long>(got);
}

}  // namespace os
