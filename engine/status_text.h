// Status texts are formatted into one fixed buffer; a text too long for it is cut.
#pragma once

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "engine/search_model.h"

using StatusBuffer = char[kTextBufferSize];

// How many of the length bytes of UTF-8 text fit in limit bytes without splitting a
// character: a cut backs off over at most three continuation bytes.
inline std::size_t FitUtf8(const char* text, std::size_t length, std::size_t limit) {
    if (length <= limit) {
        return length;
    }
    std::size_t kept = limit;
    while (kept > 0 && limit - kept < 3 &&
           (static_cast<unsigned char>(text[kept]) & 0xC0) == 0x80) {
        --kept;
    }
    return kept;
}

// Copies text into buffer, cut at a character so that it and the zero fit.
inline void CopyCut(const char* text, std::size_t length, char* buffer, std::size_t size) {
    const std::size_t kept = FitUtf8(text, length, size - 1);
    std::memcpy(buffer, text, kept);
    buffer[kept] = '\0';
}

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
inline void
FormatStatus(StatusBuffer& buffer, const char* format, ...) {
    char text[kTextBufferSize + 3];  // the cut must see the bytes of the last character
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    CopyCut(text, std::strlen(text), buffer, sizeof buffer);
}

// The share of done in total, as a single-precision percentage.
inline float PercentOf(std::uint64_t done, std::uint64_t total) {
    return static_cast<float>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}
