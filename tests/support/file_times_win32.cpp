// TempTree's write times on Windows.
#include <windows.h>

#include <stdexcept>

#include "tests/support/temp_tree.h"

void TempTree::SetWriteTime(const std::string& relative, std::uint64_t fileTime) const {
    HANDLE h = CreateFileA(Path(relative).string().c_str(), FILE_WRITE_ATTRIBUTES,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    const FILETIME time = {static_cast<DWORD>(fileTime), static_cast<DWORD>(fileTime >> 32)};
    if (h == INVALID_HANDLE_VALUE || !SetFileTime(h, nullptr, nullptr, &time)) {
        throw std::runtime_error("cannot set the time of " + relative);
    }
    CloseHandle(h);
}
