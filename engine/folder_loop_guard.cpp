#include "engine/folder_loop_guard.h"

#include <utility>

#include "engine/ascii.h"
#include "os/path.h"

namespace {

// Deeper than any real tree; stops the climb where ".." never settles.
constexpr int kMaxClimb = 256;

}  // namespace

// A loop must pass through a link, so an identity is looked up for each link, for the
// folders it is compared with, and below a link for a folder named like a link's target;
// an ordinary walk costs no lookup.
bool FolderLoopGuard::Enter(const std::string& folder, bool isLink) {
    Level level;
    level.folder = folder;
    level.isLink = isLink;
    if (isLink) {
        level.id = os::IdentifyFolder(folder, &level.realName);
        level.looked = true;
        for (Level& entered : descent_) {
            if (IdOf(entered) == level.id) {
                return false;
            }
        }
        if (IsAboveSearchFolder(level.id)) {
            return false;
        }
    } else if (linksOnDescent_ > 0 && ReentersALinkTarget(level)) {
        return false;
    }
    linksOnDescent_ += isLink ? 1 : 0;
    descent_.push_back(std::move(level));
    return true;
}

void FolderLoopGuard::Leave() {
    linksOnDescent_ -= descent_.back().isLink ? 1 : 0;
    descent_.pop_back();
}

const os::FolderId& FolderLoopGuard::IdOf(Level& level) {
    if (!level.looked) {
        level.id = os::IdentifyFolder(level.folder);
        level.looked = true;
    }
    return level.id;
}

// Below a link, an ordinary folder can be the target of a link on this descent, met again
// in its own parent: then it bears the target's own name.
bool FolderLoopGuard::ReentersALinkTarget(Level& level) {
    const std::size_t slash = level.folder.find_last_of(os::kPathSeparator);
    const std::string name = level.folder.substr(slash == std::string::npos ? 0 : slash + 1);
    for (const Level& entered : descent_) {
        if (entered.isLink && AsciiEqualFolded(entered.realName.c_str(), name.c_str()) &&
            IdOf(level) == entered.id) {
            return true;
        }
    }
    return false;
}

bool FolderLoopGuard::IsAboveSearchFolder(const os::FolderId& id) {
    if (!aboveLooked_) {
        aboveLooked_ = true;
        // ".." climbs from the search folder until it stays where it is: the root.
        std::string path = descent_.front().folder;
        os::FolderId below = IdOf(descent_.front());
        for (int i = 0; i < kMaxClimb; ++i) {
            path.append(1, os::kPathSeparator).append("..");
            const os::FolderId parent = os::IdentifyFolder(path);
            if (!parent.known || parent == below) {
                break;
            }
            above_.push_back(parent);
            below = parent;
        }
    }
    for (const os::FolderId& ancestor : above_) {
        if (ancestor == id) {
            return true;
        }
    }
    return false;
}
