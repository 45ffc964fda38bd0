#include "engine/content_matcher.h"

#include <cstring>

#include "engine/status_text.h"
#include "os/read_only_file.h"

namespace {

enum class Outcome { kFound, kNotFound, kUnaccessible };

void ReportLargeFile(const FileEntry& entry, std::uint64_t bytesRead,
                     const SearchProgress& progress, SearchView& view) {
    const float overall = PercentOf(progress.fileIndex, progress.fileCount);
    const float ofFile = PercentOf(bytesRead, static_cast<std::uint64_t>(entry.size));
    StatusBuffer text;
    FormatStatus(text, "[%.2f%%] Large File Search... [%.2f%%] [%s]", overall, ofFile,
                 entry.name.c_str());
    view.SetStatusText(text);
    view.SetProgressPos(static_cast<int>(ofFile));
}

Outcome Scan(const FileEntry& entry, const TextFinder& finder, const SearchProgress& progress,
             SearchState& state, SearchView& view) {
    os::ReadOnlyFile file(entry.fullPath);
    if (!file.IsOpen()) {
        return Outcome::kUnaccessible;
    }
    // The tail of each chunk that could begin a match is carried in front of the next one,
    // so a match across a chunk boundary is found.
    const std::size_t keepMax = finder.Length() - 1;
    unsigned char buffer[kTextBufferSize + READ_CHUNK_SIZE];
    std::size_t carried = 0;
    std::uint64_t bytesRead = 0;
    for (;;) {
        const long got = file.Read(buffer + carried, READ_CHUNK_SIZE);
        if (got <= 0) {
            return Outcome::kNotFound;
        }
        bytesRead += static_cast<std::uint64_t>(got);
        const std::size_t window = carried + static_cast<std::size_t>(got);
        if (finder.Find(buffer, window) != TextFinder::kNotFound) {
            return Outcome::kFound;
        }
        carried = window < keepMax ? window : keepMax;
        std::memmove(buffer, buffer + window - carried, carried);

        if (StopRequested(state)) {
            return Outcome::kNotFound;
        }
        if (entry.size > LARGE_FILE_THRESHOLD && TakeStatusDue(state)) {
            ReportLargeFile(entry, bytesRead, progress, view);
        }
        if (bytesRead >= static_cast<std::uint64_t>(entry.size)) {
            return Outcome::kNotFound;
        }
    }
}

}  // namespace

void ScanFileForText(const FileEntry& entry, const TextFinder& finder, SearchProgress& progress,
                     SearchState& state, SearchView& view) {
    if (entry.size < static_cast<std::int64_t>(finder.Length())) {
        return;
    }
    switch (Scan(entry, finder, progress, state, view)) {
        case Outcome::kFound:
            ++progress.foundCount;
            state.resultSet.push_back(entry);
            break;
        case Outcome::kUnaccessible:
            ++progress.unaccessibleCount;
            break;
        case Outcome::kNotFound:
            break;
    }
}
