// The three things each platform does for a file read front to back: open it for reading
// with full sharing, read from it, close it. os/read_only_file.cpp does the rest once for both.
// A handle is the platform's own, -1 when the open failed. Inside os/ only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os {

std::intptr_t OpenForReading(const std::string& path);
// Bytes delivered, 0 at the end of the file, -1 on a read error.
long ReadFrom(std::intptr_t handle, void* buffer, std::size_t count);
void CloseFile(std::intptr_t handle);

}  // namespace os
