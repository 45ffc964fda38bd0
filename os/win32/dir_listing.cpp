#include "os/dir_listing.h"
#include "os/native_listing.h"

#include <windows.h>

#include <utility>

#include "os/utf16.h"
#include "os/win32/file_handle.h"
#include "os/win32/system_paths.h"
#include "os/win32/wide_path.h"

namespace os {

namespace {

constexpr std::size_t kLongestPath = 32768;  // the system's limit, in UTF-16 units

void Convert(const WIN32_FIND_DATAW& data, DirEntry& entry) {
    entry.name = Narrow(data.cFileName);
    entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    entry.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) |
                                           data.nFileSizeLow);
    entry.lastWriteTime = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
}

// Wine gives no final path past 260 characters, whatever the buffer: then the path as the
// volume knows it, on the drive of the path opened.
bool VolumePathOnDriveOf(HANDLE h, const std::wstring& opened, std::wstring& resolved) {
    if (opened.size() < 6 || opened.compare(0, 4, L"\\\\?\\") != 0 || opened[5] != L':') {
        return false;
    }
    std::wstring info(kLongestPath + sizeof(FILE_NAME_INFO) / sizeof(wchar_t), L'\0');
    auto* name = reinterpret_cast<FILE_NAME_INFO*>(&info[0]);
    if (!GetFileInformationByHandleEx(h, FileNameInfo, name,
                                      static_cast<DWORD>(info.size() * sizeof(wchar_t)))) {
        return false;
    }
    const std::size_t length = name->FileNameLength / sizeof(wchar_t);
    resolved.assign(opened, 0, 6).append(name->FileName, length);
    return true;
}

}  // namespace

NativeListing::NativeListing(const std::string& folder) {
    std::wstring pattern;
    if (!LongPath(folder + "\\*", pattern)) {
        return;
    }
    WIN32_FIND_DATAW data;
    // The basic level skips the short 8.3 names, which the walk never uses; the large fetch
    // takes more entries per call, and systems older than Windows 7 refuse it.
    HANDLE h = INVALID_HANDLE_VALUE;
    for (const DWORD flags : {DWORD{FIND_FIRST_EX_LARGE_FETCH}, DWORD{0}}) {
        h = FindFirstAt(pattern.c_str(), &data, flags);
        if (h != INVALID_HANDLE_VALUE || GetLastError() != ERROR_INVALID_PARAMETER) {
            break;
        }
    }
    if (h == INVALID_HANDLE_VALUE) {
        return;
    }
    handle_ = h;
    Convert(data, readAhead_);
    hasReadAhead_ = true;
}

NativeListing::~NativeListing() {
    if (handle_ != nullptr) {
        FindClose(static_cast<HANDLE>(handle_));
    }
}

bool NativeListing::Next(DirEntry& entry) {
    if (hasReadAhead_) {
        hasReadAhead_ = false;
        entry = std::move(readAhead_);
        return true;
    }
    WIN32_FIND_DATAW data;
    if (handle_ == nullptr || !FindNextFileW(static_cast<HANDLE>(handle_), &data)) {
        return false;
    }
    Convert(data, entry);
    return true;
}

bool IdentifyFolder(const std::string& folder, std::string& finalPath) {
    // A drive given as "D:" would otherwise mean that drive's current folder.
    std::wstring path;
    if (!LongPath(!folder.empty() && folder.back() == ':' ? folder + "\\" : folder, path)) {
        return false;
    }
    const FileHandle h(CreateFileAt(path.c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    if (!h.Valid()) {
        return false;
    }
    std::wstring resolved(kLongestPath, L'\0');  // rare: only links and search folders
    const DWORD length =
        GetFinalPathNameByHandleW(h.Get(), &resolved[0], static_cast<DWORD>(resolved.size()), 0);
    if (length > 0 && length < resolved.size()) {
        resolved.resize(length);
    } else if (length != 0 || GetLastError() != ERROR_MORE_DATA ||
               !VolumePathOnDriveOf(h.Get(), path, resolved)) {
        return false;
    }
    if (resolved.back() == L'\\') {
        resolved.pop_back();
    }
    finalPath = WithoutLongPrefix(resolved.data(), resolved.size());
    return true;
}

}  // namespace os
