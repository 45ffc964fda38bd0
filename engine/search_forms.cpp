#include "engine/search_forms.h"

namespace {

bool IsHigh(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLow(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

}  // namespace

void CutSearchText(std::u16string& units) {
    const std::size_t most = kTextBufferSize - 1;
    if (units.size() > most) {
        units.resize(IsHigh(units[most - 1]) && IsLow(units[most]) ? most - 1 : most);
    }
}

std::string Utf8Form(const std::u16string& units) {
    std::string out;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t code = units[i];
        if (IsHigh(code) && i + 1 < units.size() && IsLow(units[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (units[++i] - 0xDC00);
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::vector<SearchForm> SearchForms(const TypedText& text) {
    std::vector<SearchForm> forms;
    if (text.units.empty()) {
        return forms;
    }
    if (text.ansi && !text.ansi->empty()) {
        forms.push_back({*text.ansi, false});
    }
    std::string utf8 = Utf8Form(text.units);
    if (forms.empty() || utf8 != forms[0].bytes) {
        forms.push_back({std::move(utf8), false});
    }
    std::string utf16;
    for (const char16_t unit : text.units) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    forms.push_back({std::move(utf16), true});
    return forms;
}
