#include "engine/content_readers.h"

#include <algorithm>
#include <new>
#include <system_error>

ContentReaders::ContentReaders(const FileList& files, const TextFinder& finder,
                               const std::atomic<std::uint32_t>& stopFlag,
                               const ContentOptions& options)
    : files_(files),
      finder_(finder),
      stopFlag_(stopFlag),
      readSize_(options.readSize),
      slots_(new Slot[kWindow]) {
    try {
        for (unsigned i = 0; i < options.readers; ++i) {
            threads_.emplace_back(&ContentReaders::ReaderMain, this);
        }
    } catch (const std::system_error&) {
        // Fewer readers than asked; with none at all the worker reads each file itself.
    }
}

ContentReaders::~ContentReaders() {
    closed_.store(true);
    { std::lock_guard<std::mutex> lock(mutex_); }
    roomForReaders_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

bool ContentReaders::Claim(std::size_t& index) {
    index = nextClaim_.load();
    for (;;) {
        if (closed_.load() || index >= files_.Published() ||
            stopFlag_.load(std::memory_order_relaxed) != 0) {
            return false;
        }
        if (index >= taken_.load() + kWindow) {
            // Ahead by a whole window: sleep until the worker has taken more.
            std::unique_lock<std::mutex> lock(mutex_);
            readersWaiting_.fetch_add(1);
            roomForReaders_.wait(lock, [&] {
                return closed_.load() || nextClaim_.load() < taken_.load() + kWindow;
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
void ContentReaders::ReaderMain() {
    try {
        ReadFiles();
    } catch (const std::bad_alloc&) {
        outOfMemory_.store(true);
        closed_.store(true);
        std::lock_guard<std::mutex> lock(mutex_);
        settledForWorker_.notify_one();
    }
}

void ContentReaders::ReadFiles() {
    FileScanner scanner(finder_, readSize_);
    std::string path;
    std::size_t index;
    while (Claim(index)) {
        Slot& slot = slots_[index % kWindow];
        const FileRecord& file = files_[index];
        files_.FullPath(file, path);
        const FileOutcome outcome =
            scanner.Scan(path, file.size, stopFlag_, [&slot](std::uint64_t bytesRead) {
                slot.bytesRead.store(bytesRead, std::memory_order_relaxed);
            });
        slot.outcome.store(static_cast<std::uint8_t>(outcome));
        if (workerWaitsFor_.load() == index) {
            std::lock_guard<std::mutex> lock(mutex_);
            settledForWorker_.notify_one();
        }
    }
}

bool ContentReaders::Settled(std::size_t index) const {
    return slots_[index % kWindow].outcome.load() != kPending;
}

void ContentReaders::PublishTaken(std::size_t taken) {
    taken_.store(taken);
    takenSincePublish_ = 0;
    if (readersWaiting_.load() != 0) {
        std::lock_guard<std::mutex> lock(mutex_);
        roomForReaders_.notify_all();
    }
}

std::optional<FileOutcome> ContentReaders::Take(std::size_t index,
                                                std::chrono::milliseconds timeout) {
    if (!Settled(index) && outOfMemory_.load()) {
        throw std::bad_alloc();
    }
    if (!Settled(index)) {
        PublishTaken(index);
        // Woken once a batch has settled rather than for every file; the timeout lets the
        // caller see Stop and the status tick.
        std::size_t wakeAt = std::min(index + kWakeBatch, files_.Published() - 1);
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
    Slot& slot = slots_[index % kWindow];
    const auto outcome = static_cast<FileOutcome>(slot.outcome.load());
    slot.bytesRead.store(0, std::memory_order_relaxed);
    slot.outcome.store(kPending, std::memory_order_relaxed);
    if (++takenSincePublish_ >= kWakeBatch) {
        PublishTaken(index + 1);
    }
    return outcome;
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
    return slots_[index % kWindow].bytesRead.load(std::memory_order_relaxed);
}

bool ContentReaders::CloseAt(std::size_t index) {
    closed_.store(true);
    // Claiming the file here settles the race with a reader that has not seen closed_.
    std::size_t expected = index;
    const bool unclaimed = nextClaim_.compare_exchange_strong(expected, index + 1);
    { std::lock_guard<std::mutex> lock(mutex_); }
    roomForReaders_.notify_all();
    return unclaimed;
}
