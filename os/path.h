// The one character that joins a folder and a name on this platform, and whether paths that
// differ only in the case of A-Z name the same file.
#pragma once

namespace os {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
constexpr bool kPathCaseFolded = true;
#else
constexpr char kPathSeparator = '/';
constexpr bool kPathCaseFolded = false;
#endif

}  // namespace os
