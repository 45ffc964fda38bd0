#include "os/dir_listing.h"

#include <windows.h>

#include <cstring>
#include <utility>

namespace os {

namespace {

void Convert(const WIN32_FIND_DATAA& data, DirEntry& entry) {
    entry.name.assign(data.cFileName);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                           data.nFileSizeLow);
    entry.lastWriteTime = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
}

}  // namespace

DirListing::DirListing(const std::string& folder) {
    const std::string pattern = folder + "\\*";
    WIN32_FIND_DATAA data;
    HANDLE h = FindFirstFileA(pattern.c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) {
        return;
    }
    native_ = h;
    Convert(data, entry_);
    valid_ = true;
}

DirListing::~DirListing() {
    Close();
}

DirListing::DirListing(DirListing&& other) noexcept
    : native_(std::exchange(other.native_, nullptr)),
      entry_(std::move(other.entry_)),
      valid_(std::exchange(other.valid_, false)) {}

DirListing& DirListing::operator=(DirListing&& other) noexcept {
    if (this != &other) {
        Close();
        native_ = std::exchange(other.native_, nullptr);
        entry_ = std::move(other.entry_);
        valid_ = std::exchange(other.valid_, false);
    }
    return *this;
}

void DirListing::Close() {
    if (native_ != nullptr) {
        FindClose(static_cast<HANDLE>(native_));
        native_ = nullptr;
    }
    valid_ = false;
}

void DirListing::Next() {
    WIN32_FIND_DATAA data;
    valid_ = native_ != nullptr && FindNextFileA(static_cast<HANDLE>(native_), &data) != FALSE;
    if (valid_) {
        Convert(data, entry_);
    }
}

FolderId IdentifyFolder(const std::string& folder, std::string* realName) {
    FolderId id;
    // A trailing backslash and dot keep a drive given as "D:" from meaning its current folder.
    const std::string path = folder + "\\.";
    HANDLE h = CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return id;
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(h, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        id.known = true;
        id.device = info.dwVolumeSerialNumber;
        id.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    }
    char resolved[1024];
    const DWORD length =
        realName != nullptr ? GetFinalPathNameByHandleA(h, resolved, sizeof resolved, 0) : 0;
    if (length > 0 && length < sizeof resolved) {
        realName->assign(std::strrchr(resolved, '\\') + 1);
    }
    CloseHandle(h);
    return id;
}

}  // namespace os
