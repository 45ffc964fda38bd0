#include "engine/search_forms.h"

#include "os/utf8.h"

void CutSearchText(std::u16string& units) {
    const std::size_t most = kTextBufferSize - 1;
    if (units.size() > most) {
        const bool splitsPair =
            os::IsHighSurrogate(units[most - 1]) && os::IsLowSurrogate(units[most]);
        units.resize(splitsPair ? most - 1 : most);
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
