// Decides whether one candidate file holds the search text. FileScanner reads and matches a
// file and only tells the outcome; recording it (counts, resultSet, texts) is the caller's.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/search_model.h"
#include "engine/search_view.h"
#include "engine/text_finder.h"

// The unit of every rule a user can see: the stop test, the large-file text and the end of a
// grown file fall between chunks of this size, counted from the start of the file.
constexpr std::size_t READ_CHUNK_SIZE = 4095;
// Bytes one read call asks for: a whole number of chunks, so chunks keep their places.
constexpr std::size_t kDefaultReadSize = 16 * READ_CHUNK_SIZE;
constexpr std::int64_t LARGE_FILE_THRESHOLD =
    52428800;  // 50 MiB: longer files report their own progress

enum class FileOutcome : std::uint8_t { kNeither, kFound, kUnaccessible };

// Reads files front to back and matches them chunk by chunk, carrying the longest form's
// length - 1 bytes across chunks. Owns one read buffer; one scanner per thread.
class FileScanner {
  public:
    using ChunkHook = std::function<void(std::uint64_t bytesRead)>;

    // readSize: bytes per read call, rounded up to whole chunks.
    FileScanner(const TextFinder& finder, std::size_t readSize);

    // A file shorter than the shortest form is not opened. Between two chunks: stopFlag ends the
    // file, then betweenChunks runs, then the file ends once bytesRead reaches the recorded size.
    // A read call after the first that returns after Stop has its bytes left unmatched; the
    // first chunk of an opened file is always matched.
    // size is the file's size as the walk listed it.
    FileOutcome Scan(const std::string& path, std::int64_t size,
                     const std::atomic<std::uint32_t>& stopFlag,
                     const ChunkHook& betweenChunks = nullptr);

  private:
    const TextFinder& finder_;
    std::size_t readSize_;
    std::vector<unsigned char> buffer_;  // carried bytes, then one read
};

// Counts the outcome of file index of the file list, and adds a found one to resultSet.
void RecordOutcome(FileOutcome outcome, std::size_t index, SearchProgress& progress,
                   SearchState& state);

// "[%.2f%%] Large File Search... [%.2f%%] [%s]" and the bar at the share of the file read.
void WriteLargeFileText(const FileList& files, const FileRecord& file, std::uint64_t bytesRead,
                        const SearchProgress& progress, SearchView& view);

// File index of the file list on the calling thread, 4095 bytes per read: scans, records the
// outcome and writes the large-file text between chunks when due.
void ScanFileForText(std::size_t index, const TextFinder& finder, SearchProgress& progress,
                     SearchState& state, SearchView& view);
