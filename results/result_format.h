// The size and date texts of a result row.
#pragma once

#include <cstdint>
#include <string>

// 1024-based: "1023.00", "1.00 KB", "1.50 MB", "5120.00 GB".
std::string FormatFileSize(double bytes);

// Local time in the current zone, "MM/DD/YYYY  HH:MM"; empty when the time can't be converted.
std::string FormatFileDate(std::uint64_t fileTime);
