#include "os/utf16.h"

#include <cstdint>
#include <cwchar>

#include "os/utf8.h"

namespace os {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Decodes the sequence at text[i], moving i past it; false when it is not UTF-8. Overlong
// forms are refused, so each code point has one spelling and each name one path text.
bool Decode(const std::string& text, std::size_t& i, std::uint32_t& code) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length;
    std::uint32_t least;
    if (lead < 0x80) {
        code = lead;
        ++i;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, least = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, least = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, least = 0x10000, code = lead & 0x07;
    } else {
        return false;
    }
    if (text.size() - i < length) {
        return false;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if (!IsContinuation(c)) {
            return false;
        }
        code = (code << 6) | (c & 0x3F);
    }
    i += length;
    return code >= least && code <= 0x10FFFF;
}

}  // namespace

std::wstring Widen(const std::string& text, bool* ok) {
    std::wstring out;
    out.reserve(text.size());
    bool lastWasHigh = false;
    for (std::size_t i = 0; i < text.size();) {
        std::uint32_t code;
        // A pair spelt as two lone surrogates would be a second spelling of one name.
        if (!Decode(text, i, code) || (lastWasHigh && IsLowSurrogate(code))) {
            if (ok != nullptr) {
                *ok = false;
            }
            return std::wstring();
        }
        lastWasHigh = IsHighSurrogate(code);
        if (code >= 0x10000) {
            out.push_back(static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10)));
            out.push_back(static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            out.push_back(static_cast<wchar_t>(code));
        }
    }
    if (ok != nullptr) {
        *ok = true;
    }
    return out;
}

std::string Narrow(const wchar_t* text, std::size_t length) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");
    return Utf8FromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

std::string Narrow(const wchar_t* text) {
    return Narrow(text, std::wcslen(text));
}

}  // namespace os
