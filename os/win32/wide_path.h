// Paths for the W calls: made full and given the \\?\ form, so that neither the length limit
// nor the normalisation of names applies. Inside os/win32 only; the engine never sees it.
#pragma once

#include <cstddef>
#include <string>

namespace os {

// wide made full against the current folder, as the system makes it. False when it can't be.
bool FullWidePath(const std::wstring& wide, std::wstring& full);

// The \\?\ form (\\?\UNC\ for \\server\share) of a UTF-8 path; a path already in that form
// is left alone. False when path is not UTF-8 or can't be made full.
bool LongPath(const std::string& path, std::wstring& out);

// A final path as the system gives it, without the \\?\ form.
std::string WithoutLongPrefix(const wchar_t* path, std::size_t length);

}  // namespace os
