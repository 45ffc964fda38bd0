#include "engine/content_matcher.h"

#include <algorithm>
#include <cstring>

#include "engine/status_text.h"
#include "os/read_only_file.h"

FileScanner::FileScanner(const TextFinder& finder, std::size_t readSize)
    : finder_(finder),
      readSize_(std::max<std::size_t>(1, (readSize + READ_CHUNK_SIZE - 1) / READ_CHUNK_SIZE) *
                READ_CHUNK_SIZE),
      buffer_(kMaxFormLength + readSize_) {}

FileOutcome FileScanner::Scan(const FileEntry& entry, const std::atomic<std::uint32_t>& stopFlag,
                              const ChunkHook& betweenChunks) {
    const std::size_t keepMax = finder_.Longest() - 1;
    if (entry.size < static_cast<std::int64_t>(finder_.Shortest())) {
        return FileOutcome::kNeither;
    }
    os::ReadOnlyFile file(entry.fullPath);
    if (!file.IsOpen()) {
        return FileOutcome::kUnaccessible;
    }
    auto stopped = [&] { return stopFlag.load(std::memory_order_relaxed) != 0; };
    const auto recordedSize = static_cast<std::uint64_t>(entry.size);
    // Reads land at data; the tail of the bytes before them, which could begin a match,
    // sits just in front, so a match across a chunk or read boundary is found.
    unsigned char* const data = buffer_.data() + kMaxFormLength;
    std::size_t carried = 0;
    std::uint64_t bytesRead = 0;
    for (bool firstRead = true;; firstRead = false) {
        const long got = file.Read(data, readSize_);
        if (got <= 0 || (!firstRead && stopped())) {
            return FileOutcome::kNeither;
        }
        const auto size = static_cast<std::size_t>(got);
        for (std::size_t at = 0; at < size; at += READ_CHUNK_SIZE) {
            const std::size_t end = std::min(at + READ_CHUNK_SIZE, size);
            const std::size_t back = std::min(keepMax, at + carried);
            if (finder_.Contains(data + at - back, end - at + back, bytesRead - back)) {
                return FileOutcome::kFound;
            }
            bytesRead += end - at;
            if (stopped()) {
                return FileOutcome::kNeither;
            }
            if (betweenChunks) {
                betweenChunks(bytesRead);
            }
            if (bytesRead >= recordedSize) {
                return FileOutcome::kNeither;
            }
        }
        const std::size_t keep = std::min(keepMax, size + carried);
        std::memmove(data - keep, data + size - keep, keep);
        carried = keep;
    }
}

void RecordOutcome(FileOutcome outcome, const FileEntry& entry, SearchProgress& progress,
                   SearchState& state) {
    switch (outcome) {
        case FileOutcome::kFound:
            ++progress.foundCount;
            state.resultSet.push_back(entry);
            break;
        case FileOutcome::kUnaccessible:
            ++progress.unaccessibleCount;
            break;
        case FileOutcome::kNeither:
            break;
    }
}

void WriteLargeFileText(const FileEntry& entry, std::uint64_t bytesRead,
                        const SearchProgress& progress, SearchView& view) {
    const float overall = PercentOf(progress.fileIndex, progress.fileCount);
    const float ofFile = PercentOf(bytesRead, static_cast<std::uint64_t>(entry.size));
    StatusBuffer text;
    FormatStatus(text, "[%.2f%%] Large File Search... [%.2f%%] [%s]", overall, ofFile,
                 entry.name.c_str());
    view.SetStatusText(text);
    view.SetProgressPos(static_cast<int>(ofFile));
}

void ScanFileForText(const FileEntry& entry, const TextFinder& finder, SearchProgress& progress,
                     SearchState& state, SearchView& view) {
    FileScanner scanner(finder, READ_CHUNK_SIZE);
    const FileOutcome outcome = scanner.Scan(entry, state.stopFlag, [&](std::uint64_t bytesRead) {
        if (entry.size > LARGE_FILE_THRESHOLD && TakeStatusDue(state)) {
            WriteLargeFileText(entry, bytesRead, progress, view);
        }
    });
    RecordOutcome(outcome, entry, progress, state);
}
