// Case folding of the ASCII letters A-Z only, as the default C locale does; other bytes,
// those of 0x80 and above included, stay as they are.
#pragma once

constexpr unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Whole strings equal with A-Z folded.
inline bool AsciiEqualFolded(const char* a, const char* b) {
    for (;; ++a, ++b) {
        const unsigned char ca = FoldAscii(static_cast<unsigned char>(*a));
        const unsigned char cb = FoldAscii(static_cast<unsigned char>(*b));
        if (ca != cb) {
            return false;
        }
        if (ca == 0) {
            return true;
        }
    }
}
