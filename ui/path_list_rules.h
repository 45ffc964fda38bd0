// The rules of the search folder list, apart from the window: how a typed folder is
// normalised, and how it relates to the folders already listed.
#pragma once

#include <string>
#include <vector>

// Removes one trailing backslash from a path longer than two characters, so "C:\Data\"
// becomes "C:\Data" and a drive root "D:\" becomes "D:".
void NormalizeSearchPath(std::string& path);

// A path given whole (command line, drop) as it goes to the system to be made full: a drive
// alone, D:, stands for its root D:\, where the system would take the drive's current folder.
std::string DriveAloneAsRoot(const std::string& path);

// Whether two paths name the same folder as the list compares them: A-Z folded, nothing else.
bool SameSearchPath(const std::string& a, const std::string& b);

struct PathOverlap {
    enum class Kind {
        kNone,             // may be added
        kAlreadyIncluded,  // the same folder, or one inside a listed folder: refused
        kParentOfRow,      // holds the listed folder `row`, which it replaces in place
    };
    Kind kind = Kind::kNone;
    int row = -1;
    std::vector<int> alsoCovered;  // with kParentOfRow: the further rows it holds, top first
};

// Compares path with the listed folders from the top row down (A-Z folded, nothing else
// normalised); the first row that decides counts. A parent also collects every later row
// inside it, so no folder is searched twice.
PathOverlap FindPathOverlap(const std::vector<std::string>& rows, const std::string& path);
