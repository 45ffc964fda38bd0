// The content phase's reader threads: each claims the next file of the file list, scans it
// and reports only its outcome. They start with the walk and read each file as soon as the
// walk has published it; the worker takes the outcomes in file-list order once the walk is
// done, and alone records them and writes every text. The pool owns its threads and a byte of
// outcome per published file, so readers may run ahead of the worker to the last file
// published.
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

#include "engine/chunked_array.h"
#include "engine/content_matcher.h"

// A reader per core, at least two; a lister per two. With the walk beside them on 2 cores, two
// readers and one lister beat four readers with or without listers: natively on /usr/share 0.35
// against 0.43 s warm, under Wine 8.6 against 10.4 s; on the million-file tree the walk's
// stats and the reads share the cores whatever the split. 64 KiB reads beat 4 KiB and 256 KiB.
unsigned DefaultReaders();

struct SearchOptions {
    // Threads; 0: none, the worker reads each file itself.
    unsigned readers = DefaultReaders();
    std::size_t readSize = kDefaultReadSize;
    // Threads that list folders ahead of the walk; 0: the walk lists each folder itself.
    unsigned listers = DefaultReaders() / 2;
};

class ContentReaders {
  public:
    // files, finder and stopFlag must outlive the pool.
    ContentReaders(const FileList& files, const TextFinder& finder,
                   const std::atomic<std::uint32_t>& stopFlag, const SearchOptions& options);
    // Stops claiming and joins the readers; a reader in a file ends it first.
    ~ContentReaders();
    ContentReaders(const ContentReaders&) = delete;
    ContentReaders& operator=(const ContentReaders&) = delete;

    // The walk's thread: the files published so far may be read; then, no more will come.
    void FilesPublished();
    void WalkEnded();

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
    // How many settled files the worker lets pile up before it is woken, and how many new files
    // the walk publishes before the readers are.
    static constexpr std::size_t kWakeBatch = 64;
    static constexpr std::size_t kPublishBatch = 64;
    static constexpr std::uint8_t kPending = 0;  // outcomes are stored plus one

    // The file a reader is in, and how far, for the large-file text.
    struct ReaderSlot {
        std::atomic<std::size_t> index{kNobody};
        std::atomic<std::uint64_t> bytesRead{0};
    };

    void ReaderMain(std::size_t slot);
    void ReadFiles(ReaderSlot& slot);
    // Claims the next file for a reader; false when there is none to claim.
    bool Claim(std::size_t& index);
    bool Settled(std::size_t index) const;
    // After Stop: no reader claims another file. True when file index was never claimed,
    // so it will not settle.
    bool CloseAt(std::size_t index);

    static constexpr std::size_t kNobody = static_cast<std::size_t>(-1);

    const FileList& files_;
    const TextFinder& finder_;
    const std::atomic<std::uint32_t>& stopFlag_;
    const std::size_t readSize_;
    // One per published file; grown by the walk's thread under the mutex before claimable_
    // rises, so a reader only touches bytes that exist.
    ChunkedArray<std::atomic<std::uint8_t>> outcomes_;
    std::unique_ptr<ReaderSlot[]> slots_;

    // Claims and outcomes go through atomics alone: a contended lock costs a round trip to
    // the server under Wine. The mutex pairs with the two waits and guards the growth.
    std::atomic<std::size_t> claimable_{0};
    std::atomic<std::size_t> nextClaim_{0};
    std::atomic<std::size_t> workerWaitsFor_{kNobody};
    std::atomic<unsigned> readersWaiting_{0};
    std::atomic<bool> walkEnded_{false};
    std::atomic<bool> closed_{false};
    std::atomic<bool> outOfMemory_{false};  // a reader ran out: the worker ends the phase
    std::mutex mutex_;
    std::condition_variable moreFiles_;
    std::condition_variable settledForWorker_;
    std::vector<std::thread> threads_;
};
