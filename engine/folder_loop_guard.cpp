#include "engine/folder_loop_guard.h"

#include "engine/ascii.h"
#include "os/path.h"

namespace {

// Whether path lies strictly below folder, comparing whole path components.
bool IsBelow(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
           path[folder.size()] == os::kPathSeparator;
}

// Drops the last component; false when none is left to drop.
bool CutLast(std::string& path) {
    const std::size_t cut = path.find_last_of(os::kPathSeparator);
    if (cut == std::string::npos) {
        return false;
    }
    path.resize(cut);
    return true;
}

}  // namespace

FolderLoopGuard::FolderLoopGuard(const std::vector<std::string>& searchFolders, Lookup lookup)
    : folders_(searchFolders), lookup_(lookup) {
    for (const std::string& folder : folders_) {
        std::string finalPath;
        known_.push_back(lookup_(folder, finalPath));
        finals_.push_back(Folded(finalPath));
        if (known_.back()) {
            walked_.insert(finals_.back());
            for (std::string above = finals_.back(); CutLast(above);) {
                aboveSearched_.insert(above);
            }
        }
    }
}

bool FolderLoopGuard::EnterSearchFolder(const std::string& folder) {
    std::size_t i = 0;
    while (i < folders_.size() && folders_[i] != folder) {
        ++i;
    }
    if (i == folders_.size()) {
        return false;  // never given: the search does not hold it
    }
    for (std::size_t j = 0; known_[i] && j < folders_.size(); ++j) {
        if (j != i && known_[j] &&
            (IsBelow(finals_[i], finals_[j]) || (finals_[i] == finals_[j] && j < i))) {
            return false;
        }
    }
    descent_.push_back(Level());
    return true;
}

// A loop or a repeat must pass through a link, so only a link costs a lookup; below it a
// folder's final path is its link's target joined with the names between.
bool FolderLoopGuard::Enter(const std::string& path, const std::string& name, bool isLink) {
    Level level;
    if (isLink) {
        if (!lookup_(path, level.finalPath)) {
            return false;
        }
        level.finalPath = Folded(std::move(level.finalPath));
        if (!LinkMayBeFollowed(level.finalPath)) {
            return false;
        }
        walked_.insert(level.finalPath);
        level.belowLink = true;
    } else if (descent_.back().belowLink) {
        level.finalPath = descent_.back().finalPath;
        level.finalPath.push_back(os::kPathSeparator);
        level.finalPath.append(Folded(name));
        if (walked_.count(level.finalPath) != 0) {
            return false;
        }
        level.belowLink = true;
    }
    descent_.push_back(std::move(level));
    return true;
}

void FolderLoopGuard::Leave() {
    descent_.pop_back();
}

// Not a search folder's ancestor, nor inside a search folder or a target walked already.
bool FolderLoopGuard::LinkMayBeFollowed(const std::string& target) const {
    if (aboveSearched_.count(target) != 0) {
        return false;
    }
    std::string folder = target;
    do {
        if (walked_.count(folder) != 0) {
            return false;
        }
    } while (CutLast(folder));
    return true;
}

std::string FolderLoopGuard::Folded(std::string path) const {
    if (os::kPathCaseFolded) {
        for (char& c : path) {
            c = static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
        }
    }
    return path;
}
