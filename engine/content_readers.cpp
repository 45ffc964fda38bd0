#include "engine/content_readers.h"

#include <algorithm>
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
        for (unsigned i = 0; i < std::max(1u, options.readers); ++i) {
            threads_.emplace_back(&ContentReaders::ReaderMain, this);
        }
    } catch (const std::system_error&) {
        // Fewer readers than asked; with none at all the worker reads each file itself.
    }
    if (threads_.empty()) {
        ownScanner_ = std::make_unique<FileScanner>(finder_, readSize_);
    }
}

ContentReaders::~ContentReaders() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    roomForReaders_.notify_all();
    for (std::thread& thread : threads_) {
        thread.join();
    }
}

void ContentReaders::ReaderMain() {
    FileScanner scanner(finder_, readSize_);
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        roomForReaders_.wait(lock, [this] {
            return closed_ || nextClaim_ >= files_.size() || nextClaim_ < taken_ + kWindow;
        });
        if (closed_ || nextClaim_ >= files_.size() ||
            stopFlag_.load(std::memory_order_relaxed) != 0) {
            return;
        }
        const std::size_t index = nextClaim_++;
        lock.unlock();
        Slot& slot = slots_[index % kWindow];
        const FileOutcome outcome =
            scanner.Scan(files_[index], stopFlag_, [&slot](std::uint64_t bytesRead) {
                slot.bytesRead.store(bytesRead, std::memory_order_relaxed);
            });
        lock.lock();
        slot.outcome.store(static_cast<std::uint8_t>(outcome), std::memory_order_release);
        if (workerWaiting_ && index == wakeAt_) {
            settledForWorker_.notify_one();
        }
    }
}

bool ContentReaders::Settled(std::size_t index) const {
    return slots_[index % kWindow].outcome.load(std::memory_order_acquire) != kPending;
}

void ContentReaders::PublishTaken(std::size_t taken) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        taken_ = taken;
    }
    takenSincePublish_ = 0;
    roomForReaders_.notify_all();
}

std::optional<FileOutcome> ContentReaders::Take(std::size_t index,
                                                std::chrono::milliseconds timeout) {
    if (ownScanner_) {
        return ownScanner_->Scan(files_[index], stopFlag_);
    }
    if (!Settled(index)) {
        PublishTaken(index);
        std::unique_lock<std::mutex> lock(mutex_);
        // Woken once a batch has settled rather than for every file; the timeout lets the
        // caller see Stop and the status tick.
        wakeAt_ = std::min(index + kWakeBatch, files_.size() - 1);
        if (Settled(wakeAt_)) {
            wakeAt_ = index;
        }
        workerWaiting_ = true;
        settledForWorker_.wait_for(lock, timeout, [this] { return Settled(wakeAt_); });
        workerWaiting_ = false;
        if (!Settled(index)) {
            return std::nullopt;
        }
    }
    Slot& slot = slots_[index % kWindow];
    const auto outcome = static_cast<FileOutcome>(slot.outcome.load(std::memory_order_acquire));
    slot.bytesRead.store(0, std::memory_order_relaxed);
    slot.outcome.store(kPending, std::memory_order_relaxed);
    if (++takenSincePublish_ >= kWakeBatch) {
        PublishTaken(index + 1);
    }
    return outcome;
}

std::uint64_t ContentReaders::BytesRead(std::size_t index) const {
    return slots_[index % kWindow].bytesRead.load(std::memory_order_relaxed);
}

bool ContentReaders::CloseAt(std::size_t index) {
    bool unclaimed;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
        unclaimed = nextClaim_ <= index;
    }
    roomForReaders_.notify_all();
    return unclaimed;
}
