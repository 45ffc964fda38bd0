// Keeps one walk out of the loops that links make: no folder is entered twice on one
// descent, and no link leads back to the search folder or above it. Owned by the walk.
#pragma once

#include <string>
#include <vector>

#include "os/dir_listing.h"

class FolderLoopGuard {
  public:
    // Whether the walk may enter folder, a sub-folder of the one entered last; the first
    // call is for the search folder. Each entry that returns true is paired with Leave.
    bool Enter(const std::string& folder, bool isLink);
    void Leave();

  private:
    struct Level {
        std::string folder;
        bool isLink = false;
        bool looked = false;
        os::FolderId id;
        std::string realName;  // of a link's target
    };

    const os::FolderId& IdOf(Level& level);
    bool ReentersALinkTarget(Level& level);
    bool IsAboveSearchFolder(const os::FolderId& id);

    std::vector<Level> descent_;
    std::vector<os::FolderId> above_;  // the search folder's ancestors, nearest first
    bool aboveLooked_ = false;
    int linksOnDescent_ = 0;
};
