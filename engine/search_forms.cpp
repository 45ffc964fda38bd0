#include "engine/search_forms.h"

#include "os/utf8.h"

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

std::vector<SearchForm> SearchForms(const TypedText& text) {
    std::vector<SearchForm> forms;
    if (text.units.empty()) {
        return forms;
    }
    if (text.ansi && !text.ansi->empty()) {
        forms.push_back({*text.ansi, false});
    }
    std::string utf8 = os::Utf8FromUtf16(text.units);
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
