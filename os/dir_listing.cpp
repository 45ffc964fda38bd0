#include "os/dir_listing.h"

#include "os/native_listing.h"

namespace os {

bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries,
                const std::atomic<std::uint32_t>& stop) {
    entries.clear();
    NativeListing listing(folder);
    if (!listing.Opened()) {
        return false;
    }
    DirEntry entry;
    while (stop.load(std::memory_order_relaxed) == 0 && listing.Next(entry)) {
        const bool dot = entry.name == "." || entry.name == "..";
        if (!dot) {
            entries.push_back(std::move(entry));
        }
    }
    return true;
}

}  // namespace os
