// What the dialog asks of a path it was given whole: its full form and what it names. The
// question goes in the long form, so no length limit applies to it. Windows builds only.
#pragma once

#include <string>

namespace os {

// The path made full against the current folder, as the system makes it (. and .. resolved);
// the path as it is when it can't be.
std::string FullPath(const std::string& path);

enum class PathKind { kMissing, kFolder, kFile };
PathKind KindOfPath(const std::string& path);

}  // namespace os
