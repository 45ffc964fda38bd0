// UTF-16 to UTF-8 on every platform: the Windows boundary's names and the search text's forms
// both use it. A lone surrogate keeps its three-byte form, so a name that is not valid UTF-16
// converts back to the very same name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace os {

// The two halves of a UTF-16 surrogate pair, by code unit.
inline bool IsHighSurrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
inline bool IsLowSurrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The UTF-8 form of length UTF-16 units; always succeeds.
std::string Utf8FromUtf16(const char16_t* units, std::size_t length);

inline std::string Utf8FromUtf16(const std::u16string& units) {
    return Utf8FromUtf16(units.data(), units.size());
}

}  // namespace os
