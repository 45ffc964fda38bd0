// The byte strings a search text is looked for as: its ANSI code page bytes, UTF-8 and
// UTF-16LE. Pure functions of the typed text; the finder is built from their result.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/search_model.h"

// The longest form: 259 units of three UTF-8 bytes each.
constexpr std::size_t kMaxFormLength = 3 * (kTextBufferSize - 1);

struct SearchForm {
    std::string bytes;
    bool utf16 = false;  // found at even file offsets only; A-Z fold as whole code units
};

// Cuts units to at most 259 without leaving the high half of a pair at the end.
void CutSearchText(std::u16string& units);

// The ANSI form when there is one, UTF-8 when it differs from it, then UTF-16LE. None for an
// empty text.
std::vector<SearchForm> SearchForms(const TypedText& text);
