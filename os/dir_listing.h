// Lists one folder's entries with what the walk needs of each, in the platform's order.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace os {

struct DirEntry {
    std::string name;
    bool isDirectory = false;         // links are followed: a link to a folder is a folder
    bool isLink = false;              // a link or reparse point, followed or not
    std::int64_t size = 0;            // of the link's target
    std::uint64_t lastWriteTime = 0;  // 100 ns units since 1601-01-01 UTC
};

// The entries of folder but "." and "..", read until the listing ends or stop is set. False
// when the folder can't be listed; entries then holds none.
bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries,
                const std::atomic<std::uint32_t>& stop);

// The final path of the folder a path leads to, links followed, with no separator at its end
// (so a root is "C:" or ""); false when it can't be reached. Costs an open on Windows, so a
// walk asks only where a loop is possible.
bool IdentifyFolder(const std::string& folder, std::string& finalPath);

}  // namespace os
