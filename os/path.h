// The one character that joins a folder and a name on this platform.
#pragma once

namespace os {

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

}  // namespace os
