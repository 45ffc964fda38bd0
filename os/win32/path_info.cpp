#include "os/path_info.h"

#include <windows.h>

#include "os/utf16.h"
#include "os/win32/system_paths.h"
#include "os/win32/wide_path.h"

namespace os {

std::string FullPath(const std::string& path) {
    bool ok = false;
    const std::wstring wide = Widen(path, &ok);
    std::wstring full;
    return ok && FullWidePath(wide, full) ? Narrow(full.data(), full.size()) : path;
}

PathKind KindOfPath(const std::string& path) {
    std::wstring longPath;
    const DWORD attributes =
        LongPath(path, longPath) ? FileAttributesAt(longPath.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return PathKind::kMissing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

}  // namespace os
