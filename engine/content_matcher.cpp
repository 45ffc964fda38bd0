#include "engine/content_matcher.h"

#include <algorithm>
#include <cstring>

#include "engine/allocation.h"
#include "engine/status_text.h"
#include "os/read_only_file.h"

FileScanner::FileScanner(const TextFinder& finder, std::size_t readSize)
    : finder_(finder),
      readSize_(std::max<std::size_t>(1, (readSize + READ_CHUNK_SIZE - 1) / READ_CHUNK_SIZE) *
                READ_CHUNK_SIZE),
      buffer_((CheckAllocation(), kMaxFormLength + readSize_)) {}

FileOutcome FileScanner::Scan(const std::string& path, std::int64_t size,
                              const std::atomic<std::uint32_t>& stopFlag,
                              const ChunkHook& betweenChunks) {
    const std::size_t keepMax = finder_.Longest() - 1;
    if (size < static_cast<std::int64_t>(finder_.Shortest())) {
        return FileOutcome::kNeither;
    }
    os::ReadOnlyFile file(path);
    if (!file.IsOpen()) {
        return FileOutcome::kUnaccessible;
    }
    auto stopped = [&] { return stopFlag.load(std::memory_order_relaxed) != 0; };
    const auto recordedSize = static_cast<std::uint64_t>(size);
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
        const auto gotSize = static_cast<std::size_t>(got);
        for (std::size_t at = 0; at < gotSize; at += READ_CHUNK_SIZE) {
            const std::size_t end = std::min(at + READ_CHUNK_SIZE, gotSize);
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
        const std::size_t keep = std::min(keepMax, gotSize + carried);
        std::memmove(data - keep, data + gotSize - keep, keep);
        carried = keep;
    }
}

void RecordOutcome(FileOutcome outcome, std::size_t index, SearchProgress& progress,
                   SearchState& state) {
    switch (outcome) {
        case FileOutcome::kFound:
            state.resultSet.push_back(static_cast<std::uint32_t>(index));
            ++progress.foundCount;
            break;
        case FileOutcome::kUnaccessible:
            ++progress.unaccessibleCount;
            break;
        case FileOutcome::kNeither:
            break;
    }
}

void WriteLargeFileText(const FileList& files, const FileRecord& file, std::uint64_t bytesRead,
                        const SearchProgress& progress, SearchView& view) {
    const float overall = PercentOf(progress.fileIndex, progress.fileCount);
    const float ofFile = PercentOf(bytesRead, static_cast<std::uint64_t>(file.size));
    StatusBuffer text;
    FormatStatus(text, "[%.2f%%] Large File Search... [%.2f%%] [%s]", overall, ofFile,
                 files.Name(file).data());
    view.SetStatusText(text);
    view.SetProgressPos(static_cast<int>(ofFile));
}

void ScanFileForText(std::size_t index, const TextFinder& finder, SearchProgress& progress,
                     SearchState& state, SearchView& view) {
    FileScanner scanner(finder, READ_CHUNK_SIZE);
    const FileRecord& file = state.fileList[index];
    const FileOutcome outcome = scanner.Scan(
        state.fileList.FullPath(file), file.size, state.stopFlag, [&](std::uint64_t bytesRead) {
            if (file.size > LARGE_FILE_THRESHOLD && TakeStatusDue(state)) {
                WriteLargeFileText(state.fileList, file, bytesRead, progress, view);
            }
        });
    RecordOutcome(outcome, index, progress, state);
}
