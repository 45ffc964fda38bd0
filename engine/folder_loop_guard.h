// Keeps one search out of the loops and repeats that folder links make: each folder is walked
// at most once, whichever search folder or link leads to it. The search owns one guard, which
// the walks of all its search folders share.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "os/dir_listing.h"

class FolderLoopGuard {
  public:
    // A folder's final path, as os::IdentifyFolder gives it; tests count the calls.
    using Lookup = bool (*)(const std::string& folder, std::string& finalPath);

    // Looks the final path of each search folder up, once.
    explicit FolderLoopGuard(const std::vector<std::string>& searchFolders,
                             Lookup lookup = os::IdentifyFolder);

    // Whether the walk of a search folder may begin: not when another one holds it, or
    // reaches the same folder. Each call that returns true is paired with Leave.
    bool EnterSearchFolder(const std::string& folder);
    // Whether the walk may enter the sub-folder at path, named name, of the folder entered
    // last. Each call that returns true is paired with Leave.
    bool Enter(const std::string& path, const std::string& name, bool isLink);
    void Leave();

  private:
    struct Level {
        std::string finalPath;  // A-Z folded where case does not count; below a link only
        bool belowLink = false;
    };

    std::string Folded(std::string path) const;
    bool LinkMayBeFollowed(const std::string& target) const;

    std::vector<std::string> folders_;               // the search folders as given
    std::vector<std::string> finals_;                // and their final paths, folded
    std::vector<bool> known_;                        // whether each final path was found
    std::unordered_set<std::string> walked_;         // search folders and followed links' targets
    std::unordered_set<std::string> aboveSearched_;  // every ancestor of a search folder
    std::vector<Level> descent_;
    Lookup lookup_;
};
