#include "os/dir_listing.h"
#include "os/native_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cstdlib>

namespace os {

namespace {

constexpr std::uint64_t kUnixEpochInFileTimeSeconds = 11644473600ULL;

DIR* AsDir(void* native) {
    return static_cast<DIR*>(native);
}

// Reads the next entry of dir into entry; false at the end or on an error.
bool ReadEntry(DIR* dir, DirEntry& entry) {
    const dirent* d = readdir(dir);
    if (d == nullptr) {
        return false;
    }
    entry.name.assign(d->d_name);
    struct stat st {};
    entry.isLink =
        d->d_type == DT_LNK ||
        (d->d_type == DT_UNKNOWN && fstatat(dirfd(dir), d->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
         S_ISLNK(st.st_mode));
    // Follow links, as a Windows listing reports a link's target; a dangling link
    // counts as an empty file, which the walk never keeps.
    if (fstatat(dirfd(dir), d->d_name, &st, 0) != 0) {
        entry.isDirectory = false;
        entry.size = 0;
        entry.lastWriteTime = 0;
        return true;
    }
    entry.isDirectory = S_ISDIR(st.st_mode);
    entry.size = static_cast<std::int64_t>(st.st_size);
    const auto seconds =
        static_cast<std::uint64_t>(st.st_mtim.tv_sec) + kUnixEpochInFileTimeSeconds;
    entry.lastWriteTime =
        seconds * 10000000ULL + static_cast<std::uint64_t>(st.st_mtim.tv_nsec) / 100;
    return true;
}

}  // namespace

NativeListing::NativeListing(const std::string& folder) {
    handle_ = opendir(folder.empty() ? "/" : folder.c_str());
}

NativeListing::~NativeListing() {
    if (handle_ != nullptr) {
        closedir(AsDir(handle_));
    }
}

bool NativeListing::Next(DirEntry& entry) {
    return handle_ != nullptr && ReadEntry(AsDir(handle_), entry);
}

bool IdentifyFolder(const std::string& folder, std::string& finalPath) {
    char* resolved = realpath(folder.empty() ? "/" : folder.c_str(), nullptr);
    if (resolved == nullptr) {
        return false;
    }
    finalPath.assign(resolved);
    std::free(resolved);
    if (!finalPath.empty() && finalPath.back() == '/') {
        finalPath.pop_back();
    }
    return true;
}

}  // namespace os
