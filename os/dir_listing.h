// Lists one folder's entries, one at a time, with what the walk needs of each.
// The listing owns its open enumeration and closes it when destroyed or moved from.
#pragma once

#include <cstdint>
#include <string>

namespace os {

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

// The final path of the folder a path leads to, links followed, with no separator at its end
// (so a root is "C:" or ""); false when it can't be reached. Costs an open on Windows, so a
// walk asks only where a loop is possible.
bool IdentifyFolder(const std::string& folder, std::string& finalPath);

}  // namespace os
