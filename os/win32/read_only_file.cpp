#include <windows.h>

#include "os/native_file.h"
#include "os/win32/system_paths.h"
#include "os/win32/wide_path.h"

namespace os {

std::intptr_t OpenForReading(const std::string& path) {
    std::wstring wide;
    if (!LongPath(path, wide)) {
        return -1;
    }
    // Full sharing: reading a file must never stop another program from saving it.
    return reinterpret_cast<std::intptr_t>(
        CreateFileAt(wide.c_str(), GENERIC_READ,
                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, 0));
}

long ReadFrom(std::intptr_t handle, void* buffer, std::size_t count) {
    DWORD got = 0;
    if (!ReadFile(reinterpret_cast<HANDLE>(handle), buffer, static_cast<DWORD>(count), &got,
                  nullptr)) {
        return -1;
    }
    return static_cast<long>(got);
}

void CloseFile(std::intptr_t handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
}

}  // namespace os
