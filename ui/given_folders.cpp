#include "ui/given_folders.h"

#include "os/path_info.h"
#include "ui/path_list_rules.h"
#include "ui/search_path_list.h"

namespace {

// The folder a given path stands for.
std::string FolderOf(const std::string& given) {
    std::string path = os::FullPath(DriveAloneAsRoot(given));
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
