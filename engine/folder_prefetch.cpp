#include "engine/folder_prefetch.h"

#include <new>
#include <system_error>

#include "os/fs_redirection.h"

namespace {

FolderListing ListHere(const std::string& path, const std::atomic<std::uint32_t>& stop) {
    FolderListing listing;
    listing.opened = os::ListFolder(path, listing.entries, stop);
    return listing;
}

}  // namespace

FolderPrefetch::FolderPrefetch(unsigned threads, std::size_t ahead,
                               const std::atomic<std::uint32_t>& stop)
    : stop_(stop), ahead_(ahead) {
    try {
        for (unsigned i = 0; i < threads; ++i) {
            threads_.emplace_back(&FolderPrefetch::ListerMain, this);
        }
    } catch (const std::system_error&) {
        // Fewer listers than asked; with none the walk lists every folder itself.
    }
}

FolderPrefetch::~FolderPrefetch() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closing_ = true;
    }
    queued_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

std::size_t FolderPrefetch::Room() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return threads_.empty() || requests_.size() >= ahead_ ? 0 : ahead_ - requests_.size();
}

void FolderPrefetch::Request(const std::vector<std::string>& paths, std::size_t depth) {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const std::string& path : paths) {
        auto request = std::make_unique<Asked>();
        request->path = path;
        request->key = {static_cast<std::size_t>(-1) - depth, asked_++};
        Asked* queued = request.get();
        if (requests_.emplace(path, std::move(request)).second) {
            queue_.emplace(queued->key, queued);
        }
    }
    queued_.notify_all();
}

void FolderPrefetch::Forget(Requests::iterator it) {
    if (it->second->state == State::kQueued) {
        queue_.erase(it->second->key);
    }
    requests_.erase(it);
}

FolderListing FolderPrefetch::Take(const std::string& path) {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto it = requests_.find(path);
    if (it != requests_.end() && it->second->state != State::kQueued) {
        Asked& request = *it->second;
        made_.wait(lock, [&] { return request.state == State::kDone; });
        const bool outOfMemory = request.outOfMemory;
        FolderListing listing = std::move(request.listing);
        Forget(it);
        if (outOfMemory) {
            throw std::bad_alloc();
        }
        return listing;
    }
    if (it != requests_.end()) {
        Forget(it);  // nobody began it: quicker here than behind the others
    }
    lock.unlock();
    return ListHere(path, stop_);
}

void FolderPrefetch::Drop(const std::string& path) {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto it = requests_.find(path);
    if (it == requests_.end()) {
        return;
    }
    if (it->second->state == State::kListing) {
        it->second->state = State::kDropped;  // its lister forgets it
    } else {
        Forget(it);
    }
}

// Redirection is a thread's own: a lister switches it off as the walk does, so that it lists
// the folders the walk would.
void FolderPrefetch::ListerMain() {
    os::FsRedirection().WithRedirectionOff([this] { ListRequests(); });
}

void FolderPrefetch::ListRequests() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        queued_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (closing_) {
            return;
        }
        Asked* request = queue_.begin()->second;
        queue_.erase(queue_.begin());
        request->state = State::kListing;
        lock.unlock();
        FolderListing listing;
        bool outOfMemory = false;
        try {
            listing = ListHere(request->path, stop_);
        } catch (const std::bad_alloc&) {
            outOfMemory = true;  // told to the walk, not thrown out of the thread
        }
        lock.lock();
        if (request->state == State::kDropped) {
            requests_.erase(request->path);
            continue;
        }
        request->listing = std::move(listing);
        request->outOfMemory = outOfMemory;
        request->state = State::kDone;
        made_.notify_all();
    }
}
