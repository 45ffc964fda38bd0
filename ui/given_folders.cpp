#include "ui/given_folders.h"

#include "os/path_info.h"
#include "ui/path_list_rules.h"
#include "ui/search_path_list.h"

namespace {

bool IsBareDrive(const std::string& path) {
    const char letter = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
    return path.size() == 2 && path[1] == ':' && letter >= 'a' && letter <= 'z';
}

// The folder a given path stands for. D: alone is the drive's root; taken as it is, the system
// would make it D's current folder.
std::string FolderOf(const std::string& given) {
    std::string path = os::FullPath(IsBareDrive(given) ? given + "\\" : given);
    if (os::KindOfPath(path) == os::PathKind::kFile) {
        path.erase(path.find_last_of('\\') + 1);  // a file in a root keeps the root's backslash
    }
    return path;
}

}  // namespace

void AddGivenFolders(const std::vector<std::string>& paths) {
    std::vector<std::string> seen;
    PathRefusals refusals;
    for (const std::string& given : paths) {
        if (given.empty()) {
            continue;
        }
        std::string folder = FolderOf(given);
        NormalizeSearchPath(folder);
        bool again = false;
        for (const std::string& earlier : seen) {
            again = again || SameSearchPath(earlier, folder);
        }
        if (!again) {
            seen.push_back(folder);
            AddSearchPath(folder, &refusals);
        }
    }
    ShowPathRefusals(refusals);
}
