// Lists one folder's entries, one at a time, with what the walk needs of each.
// The listing owns its open enumeration and closes it when destroyed or moved from.
#pragma once

#include <cstdint>
#include <string>

namespace os {

// Identifies a folder on disk so that a walk can tell it met the same folder again.
// Unknown ones never compare equal.
struct FolderId {
    bool known = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    bool operator==(const FolderId& other) const {
        return known && other.known && device == other.device && inode == other.inode;
    }
};

struct DirEntry {
    std::string name;
    bool isDirectory = false;         // links are followed: a link to a folder is a folder
    bool isLink = false;              // a link or reparse point, followed or not
    std::int64_t size = 0;            // of the link's target
    std::uint64_t lastWriteTime = 0;  // 100 ns units since 1601-01-01 UTC
};

class DirListing {
  public:
    // Opens the folder's listing; Valid() is false when it can't be opened or is empty.
    explicit DirListing(const std::string& folder);
    ~DirListing();
    DirListing(DirListing&&) noexcept;
    DirListing& operator=(DirListing&&) noexcept;
    DirListing(const DirListing&) = delete;
    DirListing& operator=(const DirListing&) = delete;

    bool Valid() const { return valid_; }
    const DirEntry& Entry() const { return entry_; }
    // Moves to the next entry; Valid() turns false at the end or on an error.
    void Next();

  private:
    void Close();

    void* native_ = nullptr;  // the platform's open enumeration, or null
    DirEntry entry_;
    bool valid_ = false;
};

// The identity of the folder a path leads to, links followed; unknown when it can't be
// reached. With realName, also the name that folder has in its own parent. Costs an open on
// Windows, so a walk asks only where a loop is possible.
FolderId IdentifyFolder(const std::string& folder, std::string* realName = nullptr);

}  // namespace os
