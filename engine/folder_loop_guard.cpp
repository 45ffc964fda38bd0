#include "engine/folder_loop_guard.h"

#include <utility>

#include "os/path.h"

namespace {

// Deeper than any real tree; stops the climb where ".." never settles.
constexpr int kMaxClimb = 256;

}  // namespace

// A loop must pass through a link, so identities are looked up only for links and, below a
// link, for the folders that could lead back to it; an ordinary walk costs no lookup.
bool FolderLoopGuard::Enter(const std::string& folder, bool isLink) {
    Level level;
    level.folder = folder;
    level.isLink = isLink;
    if (isLink || linksOnDescent_ > 0) {
        level.id = identify_(folder);
        level.looked = true;
    }
    if (isLink) {
        for (Level& entered : descent_) {
            if (IdOf(entered) == level.id) {
                return false;
            }
        }
        if (IsAboveSearchFolder(level.id)) {
            return false;
        }
    } else if (linksOnDescent_ > 0) {
        // Below a link an ordinary folder can only be one that a link on this descent led to.
        for (const Level& entered : descent_) {
            if (entered.isLink && entered.id == level.id) {
                return false;
            }
        }
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
        level.id = identify_(level.folder);
        level.looked = true;
    }
    return level.id;
}

bool FolderLoopGuard::IsAboveSearchFolder(const os::FolderId& id) {
    if (!aboveLooked_) {
        aboveLooked_ = true;
        // ".." climbs from the search folder until it stays where it is: the root.
        std::string path = descent_.front().folder;
        os::FolderId below = IdOf(descent_.front());
        for (int i = 0; i < kMaxClimb; ++i) {
            path.append(1, os::kPathSeparator).append("..");
            const os::FolderId parent = identify_(path);
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
