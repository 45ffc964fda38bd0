// Status texts are formatted into one fixed buffer; a text too long for it is cut.
#pragma once

#include <cstdarg>
#include <cstdio>

#include "engine/search_model.h"

using StatusBuffer = char[kTextBufferSize];

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void
FormatStatus(StatusBuffer& buffer, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
}

// The share of done in total, as a single-precision percentage.
inline float PercentOf(std::uint64_t done, std::uint64_t total) {
    return static_cast<float>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}
