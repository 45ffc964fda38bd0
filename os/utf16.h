// Text at the Windows boundary: UTF-8 inside, UTF-16 in the W calls. A name that is not valid
// UTF-16 (a lone surrogate, which NTFS allows) keeps each lone surrogate as its three-byte
// form, so it converts back to the very same name. Windows builds only.
#pragma once

#include <cstddef>
#include <string>

namespace os {

// The UTF-16 form of text. When text is not UTF-8 (a lone surrogate's three-byte form
// allowed), *ok is set to false and the result is empty: such a path names no file.
std::wstring Widen(const std::string& text, bool* ok = nullptr);

// The UTF-8 form of length UTF-16 units (os::Utf8FromUtf16); always succeeds.
std::string Narrow(const wchar_t* text, std::size_t length);
// The same for a zero-terminated text.
std::string Narrow(const wchar_t* text);

}  // namespace os
