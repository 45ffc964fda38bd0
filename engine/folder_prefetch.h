// Lists folders ahead of the walk on threads of its own, so that the walk, which keeps its one
// order and takes every decision itself, seldom waits for a listing. The walk asks for the
// folders it will enter soon; the pool lists the deepest asked first, then the earliest asked;
// the walk takes each listing when it reaches that folder, or drops it when it will not enter.
// At most `ahead` listings are asked for, being made or made and not yet taken: the walk asks
// for no more than Room(), a whole folder's worth at a time.
//
// Protocol: one mutex guards the requests, the queue and the counts. A lister takes the first
// queued request, lists it without the lock, then settles it and wakes the walk; a request
// dropped while listed is deleted by its lister. The walk lists a folder itself when nobody has
// begun it. Stop ends a listing between entries; the destructor joins the listers.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <map>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "os/dir_listing.h"

struct FolderListing {
    bool opened = false;
    std::vector<os::DirEntry> entries;
};

class FolderPrefetch {
  public:
    // With no threads every folder is listed by the walk itself.
    FolderPrefetch(unsigned threads, std::size_t ahead, const std::atomic<std::uint32_t>& stop);
    ~FolderPrefetch();
    FolderPrefetch(const FolderPrefetch&) = delete;
    FolderPrefetch& operator=(const FolderPrefetch&) = delete;

    // How many more listings may be asked for.
    std::size_t Room() const;
    // Asks for the listings of paths, folders the walk may enter at depth, in that order: one
    // lock and one wake-up for them all.
    void Request(const std::vector<std::string>& paths, std::size_t depth);
    // The listing of path: taken when made, waited for while being made, else made here.
    // Throws std::bad_alloc when its lister ran out of memory.
    FolderListing Take(const std::string& path);
    // Forgets what was asked for path: the walk will not enter it.
    void Drop(const std::string& path);

  private:
    enum class State { kQueued, kListing, kDone, kDropped };
    // Deepest first, then the order asked in.
    using QueueKey = std::pair<std::size_t, std::uint64_t>;  // (-depth, number asked)
    struct Asked {
        std::string path;
        QueueKey key;
        State state = State::kQueued;
        FolderListing listing;
        bool outOfMemory = false;  // its lister ran out: the walk's Take throws
    };
    using Requests = std::unordered_map<std::string, std::unique_ptr<Asked>>;

    void ListerMain();
    void ListRequests();
    // Erases the request of a queued, made or dropped folder; under the lock.
    void Forget(Requests::iterator it);

    const std::atomic<std::uint32_t>& stop_;
    const std::size_t ahead_;
    mutable std::mutex mutex_;
    std::condition_variable queued_;  // listers wait for work
    std::condition_variable made_;    // the walk waits for a listing
    Requests requests_;
    std::map<QueueKey, Asked*> queue_;
    std::uint64_t asked_ = 0;
    bool closing_ = false;
    std::vector<std::thread> threads_;
};
