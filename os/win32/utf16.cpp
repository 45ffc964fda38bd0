#include "os/utf16.h"

#include <cstdint>
#include <cwchar>

namespace os {

namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool IsHighSurrogate(std::uint32_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool IsLowSurrogate(std::uint32_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
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

void Append(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
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
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length; ++i) {
        std::uint32_t code = static_cast<std::uint16_t>(text[i]);
        if (IsHighSurrogate(code) && i + 1 < length &&
            IsLowSurrogate(static_cast<std::uint16_t>(text[i + 1]))) {
            code = 0x10000 + ((code - 0xD800) << 10) +
                   (static_cast<std::uint16_t>(text[i + 1]) - 0xDC00);
            ++i;
        }
        Append(out, code);
    }
    return out;
}

std::string Narrow(const wchar_t* text) {
    return Narrow(text, std::wcslen(text));
}

}  // namespace os
