// The one thing each platform does for a listing: open a folder's enumeration, read its next
// entry, close it. os/dir_listing.cpp does the rest once for both. Inside os/ only.
#pragma once

#include <string>

#include "os/dir_listing.h"

namespace os {

class NativeListing {
  public:
    explicit NativeListing(const std::string& folder);  // opened unless Opened() says not
    ~NativeListing();
    NativeListing(const NativeListing&) = delete;
    NativeListing& operator=(const NativeListing&) = delete;

    bool Opened() const { return handle_ != nullptr; }
    // The next entry, "." and ".." included; false at the end or on an error.
    bool Next(DirEntry& entry);

  private:
    void* handle_ = nullptr;
    DirEntry readAhead_;  // where the open itself gives the first entry (Windows)
    bool hasReadAhead_ = false;
};

}  // namespace os
