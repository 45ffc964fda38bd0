#include "os/win32/system_paths.h"

#include <cstdlib>
#include <cwchar>

namespace os {

namespace {

// Whether Windows would refuse path: MAX_PATH characters or more, not in the \\?\ form.
bool RefusedAsWindowsWould(const wchar_t* path) {
    static const bool strict = std::getenv("SCOURWELL_STRICT_PATHS") != nullptr;
    if (!strict || std::wcslen(path) < MAX_PATH || std::wcsncmp(path, L"\\\\?\\", 4) == 0) {
        return false;
    }
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return true;
}

}  // namespace

HANDLE CreateFileAt(const wchar_t* path, DWORD access, DWORD share, DWORD disposition,
                    DWORD flags) {
    return RefusedAsWindowsWould(path)
               ? INVALID_HANDLE_VALUE
               : CreateFileW(path, access, share, nullptr, disposition, flags, nullptr);
}

DWORD FileAttributesAt(const wchar_t* path) {
    return RefusedAsWindowsWould(path) ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(path);
}

HANDLE FindFirstAt(const wchar_t* pattern, WIN32_FIND_DATAW* data, DWORD flags) {
    return RefusedAsWindowsWould(pattern) ? INVALID_HANDLE_VALUE
                                          : FindFirstFileExW(pattern, FindExInfoBasic, data,
                                                             FindExSearchNameMatch, nullptr, flags);
}

BOOL MoveFileAt(const wchar_t* from, const wchar_t* to, DWORD flags) {
    return RefusedAsWindowsWould(from) || RefusedAsWindowsWould(to) ? FALSE
                                                                    : MoveFileExW(from, to, flags);
}

BOOL DeleteFileAt(const wchar_t* path) {
    return RefusedAsWindowsWould(path) ? FALSE : DeleteFileW(path);
}

}  // namespace os
