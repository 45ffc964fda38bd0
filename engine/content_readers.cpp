#include "engine/content_readers.h"

#include <algorithm>
#include <new>
#include <system_error>

unsigned DefaultReaders() {
    return std::clamp(std::thread::hardware_concurrency(), 2u, 8u);
}

ContentReaders::ContentReaders(const FileList& files, const TextFinder& finder,
                               const std::atomic<std::uint32_t>& stopFlag,
                               const SearchOptions& options)
    : files_(files),
      finder_(finder),
      stopFlag_(stopFlag),
      readSize_(options.readSize),
      slots_(new ReaderSlot[std::max(1u, options.readers)]) {
    const std::size_t published = files_.Published();
    outcomes_.Extend(published);  // what a caller walked before: readable at once
    claimable_.store(published);
    try {
        for (unsigned i = 0; i < options.readers; ++i) {
            threads_.emplace_back(&ContentReaders::ReaderMain, this, i);
        }
    } catch (const std::system_error&) {
        // Fewer readers than asked; with none at all the worker reads each file itself.
    }
}

ContentReaders::~ContentReaders() {
    closed_.store(true);
    { std::lock_guard<std::mutex> lock(mutex_); }
    moreFiles_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void ContentReaders::FilesPublished() {
    const std::size_t published = files_.Published();
    // The worker reads each file itself after the walk; readers are woken for a few dozen
    // files at a time, not for each small folder.
    if (threads_.empty() || (published < claimable_.load() + kPublishBatch && !walkEnded_.load())) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        outcomes_.Extend(published - outcomes_.size());
        claimable_.store(published);
    }
    if (readersWaiting_.load() != 0) {
        moreFiles_.notify_all();
    }
}

void ContentReaders::WalkEnded() {
    walkEnded_.store(true);
    FilesPublished();
    { std::lock_guard<std::mutex> lock(mutex_); }
    moreFiles_.notify_all();
}

bool ContentReaders::Claim(std::size_t& index) {
    index = nextClaim_.load();
    for (;;) {
        if (closed_.load() || stopFlag_.load(std::memory_order_relaxed) != 0) {
            return false;
        }
        if (index >= claimable_.load()) {
            if (walkEnded_.load() && index >= claimable_.load()) {
                return false;
            }
            // Ahead of the walk: sleep until it publishes more files or ends.
            std::unique_lock<std::mutex> lock(mutex_);
            readersWaiting_.fetch_add(1);
            moreFiles_.wait(lock, [&] {
                return closed_.load() || walkEnded_.load() || index < claimable_.load() ||
                       stopFlag_.load(std::memory_order_relaxed) != 0;
            });
            readersWaiting_.fetch_sub(1);
            index = nextClaim_.load();
        } else if (nextClaim_.compare_exchange_weak(index, index + 1)) {
            return true;
        }
    }
}

// A reader that runs out of memory tells the worker, which ends the phase; an exception must
// not leave the thread.
void ContentReaders::ReaderMain(std::size_t slot) {
    try {
        ReadFiles(slots_[slot]);
    } catch (const std::bad_alloc&) {
        outOfMemory_.store(true);
        closed_.store(true);
        std::lock_guard<std::mutex> lock(mutex_);
        settledForWorker_.notify_one();
    }
}

void ContentReaders::ReadFiles(ReaderSlot& slot) {
    std::optional<FileScanner> scanner;  // its buffer taken with the first file
    std::string path;
    std::size_t index;
    while (Claim(index)) {
        if (!scanner) {
            scanner.emplace(finder_, readSize_);
        }
        const FileRecord& file = files_[index];
        files_.FullPath(file, path);
        slot.bytesRead.store(0, std::memory_order_relaxed);
        slot.index.store(index, std::memory_order_relaxed);
        const FileOutcome outcome =
            scanner->Scan(path, file.size, stopFlag_, [&slot](std::uint64_t bytesRead) {
                slot.bytesRead.store(bytesRead, std::memory_order_relaxed);
            });
        slot.index.store(kNobody, std::memory_order_relaxed);
        outcomes_[index].store(static_cast<std::uint8_t>(static_cast<int>(outcome) + 1));
        if (workerWaitsFor_.load() == index) {
            std::lock_guard<std::mutex> lock(mutex_);
            settledForWorker_.notify_one();
        }
    }
}

bool ContentReaders::Settled(std::size_t index) const {
    return outcomes_[index].load() != kPending;
}

std::optional<FileOutcome> ContentReaders::Take(std::size_t index,
                                                std::chrono::milliseconds timeout) {
    if (!Settled(index) && outOfMemory_.load()) {
        throw std::bad_alloc();
    }
    if (!Settled(index)) {
        // Woken once a batch has settled rather than for every file; the timeout lets the
        // caller see Stop and the status tick.
        std::size_t wakeAt = std::min(index + kWakeBatch, claimable_.load() - 1);
        if (Settled(wakeAt)) {
            wakeAt = index;
        }
        std::unique_lock<std::mutex> lock(mutex_);
        workerWaitsFor_.store(wakeAt);
        settledForWorker_.wait_for(lock, timeout,
                                   [&] { return Settled(wakeAt) || outOfMemory_.load(); });
        workerWaitsFor_.store(kNobody);
        if (!Settled(index)) {
            return std::nullopt;
        }
    }
    return static_cast<FileOutcome>(outcomes_[index].load() - 1);
}

FileOutcome ContentReaders::Await(std::size_t index, std::chrono::milliseconds wait,
                                  const FileScanner::ChunkHook& whileWaiting) {
    for (;;) {
        if (const std::optional<FileOutcome> outcome = Take(index, wait)) {
            return *outcome;
        }
        // Once the readers have seen Stop nobody may claim this file: without this the wait
        // would never end.
        if (stopFlag_.load(std::memory_order_relaxed) != 0 && CloseAt(index)) {
            return FileOutcome::kNeither;
        }
        if (whileWaiting) {
            whileWaiting(BytesRead(index));
        }
    }
}

std::uint64_t ContentReaders::BytesRead(std::size_t index) const {
    for (std::size_t i = 0; i < threads_.size(); ++i) {
        if (slots_[i].index.load(std::memory_order_relaxed) == index) {
            return slots_[i].bytesRead.load(std::memory_order_relaxed);
        }
    }
    return 0;
}

bool ContentReaders::CloseAt(std::size_t index) {
    closed_.store(true);
    // Claiming the file here settles the race with a reader that has not seen closed_.
    std::size_t expected = index;
    const bool unclaimed = nextClaim_.compare_exchange_strong(expected, index + 1);
    { std::lock_guard<std::mutex> lock(mutex_); }
    moreFiles_.notify_all();
    return unclaimed;
}
