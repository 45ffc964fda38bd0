// The content phase's reader threads: each claims the next file of the file list, scans it
// and reports only its outcome. The pool owns its threads and outcome slots; the worker takes
// the outcomes in file-list order and alone records them and writes every text.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "engine/content_matcher.h"

struct ContentOptions {
    // Threads; 0: none, the worker reads each file itself. An open mostly waits, so more readers
    // than cores pay: on 2 cores 4 beat 1 and 2 natively and matched 8, and 8 was best cold. Under
    // Wine every open passes through the one server process: 2 and 4 were level and ahead
    // of 1 on /usr/share. 64 KiB reads beat 4 KiB and 256 KiB on both.
    unsigned readers = 4;
    std::size_t readSize = kDefaultReadSize;
};

class ContentReaders {
  public:
    // files, finder and stopFlag must outlive the pool; the readers read the files published.
    ContentReaders(const FileList& files, const TextFinder& finder,
                   const std::atomic<std::uint32_t>& stopFlag, const ContentOptions& options);
    // Stops claiming and joins the readers; a reader in a file ends it first.
    ~ContentReaders();
    ContentReaders(const ContentReaders&) = delete;
    ContentReaders& operator=(const ContentReaders&) = delete;

    // The outcome of file index, which must be the first one not yet taken; empty when it is
    // not settled within timeout. Throws std::bad_alloc once a reader has run out of memory.
    std::optional<FileOutcome> Take(std::size_t index, std::chrono::milliseconds timeout);
    // Take until file index settles, calling whileWaiting with its bytes read after each
    // empty wait. After Stop a file that no reader claimed settles as neither.
    FileOutcome Await(std::size_t index, std::chrono::milliseconds wait,
                      const FileScanner::ChunkHook& whileWaiting);
    // Bytes of file index matched so far, whole chunks, while a reader is in it.
    std::uint64_t BytesRead(std::size_t index) const;
    // False when no reader thread could be started (or none was asked for): then nothing is
    // read here and the caller reads each file itself.
    bool HasReaders() const { return !threads_.empty(); }

  private:
    // How far readers may run ahead of the first file not taken, and how many settled files
    // the worker lets pile up before it is woken.
    static constexpr std::size_t kWindow = 512;
    static constexpr std::size_t kWakeBatch = 64;
    static constexpr std::uint8_t kPending = 0xFF;

    struct Slot {
        std::atomic<std::uint8_t> outcome{kPending};
        std::atomic<std::uint64_t> bytesRead{0};
    };

    void ReaderMain();
    void ReadFiles();
    // Claims the next file for a reader; false when there is none to claim.
    bool Claim(std::size_t& index);
    bool Settled(std::size_t index) const;
    void PublishTaken(std::size_t taken);
    // After Stop: no reader claims another file. True when file index was never claimed,
    // so it will not settle.
    bool CloseAt(std::size_t index);

    static constexpr std::size_t kNobody = static_cast<std::size_t>(-1);

    const FileList& files_;
    const TextFinder& finder_;
    const std::atomic<std::uint32_t>& stopFlag_;
    const std::size_t readSize_;
    std::unique_ptr<Slot[]> slots_;  // file i uses slot i % kWindow

    // Claims and outcomes go through atomics alone: a contended lock costs a round trip to
    // the server under Wine. The mutex only pairs with the two waits.
    std::atomic<std::size_t> nextClaim_{0};
    std::atomic<std::size_t> taken_{0};  // the worker's progress as the readers see it
    std::atomic<std::size_t> workerWaitsFor_{kNobody};
    std::atomic<unsigned> readersWaiting_{0};
    std::atomic<bool> closed_{false};
    std::atomic<bool> outOfMemory_{false};  // a reader ran out: the worker ends the phase
    std::mutex mutex_;
    std::condition_variable roomForReaders_;
    std::condition_variable settledForWorker_;

    std::size_t takenSincePublish_ = 0;  // the worker's own
    std::vector<std::thread> threads_;
};
