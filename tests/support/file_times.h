// Test-only platform helpers: set a file's last-write time, hold a file exclusively.
#pragma once

#include <cstdint>
#include <string>

// fileTime counts 100 ns since 1601-01-01 UTC.
bool SetFileWriteTime(const std::string& path, std::uint64_t fileTime);
