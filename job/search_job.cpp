#include "job/search_job.h"

#include <cinttypes>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "engine/content_readers.h"
#include "engine/file_list_builder.h"
#include "engine/status_text.h"
#include "job/row_batches.h"
#include "os/fs_redirection.h"
#include "results/result_ordering.h"

namespace {

// A block held while a search runs and given back at its first shortage of memory, so that
// the search can still order and show what it found and write its ending.
class ShortageReserve {
  public:
    // Runs phase; true when it ran out of memory.
    template <typename Phase>
    bool Catch(Phase phase) {
        try {
            phase();
            return false;
        } catch (const std::bad_alloc&) {
            block_.reset();
            return true;
        }
    }

  private:
    std::unique_ptr<char[]> block_{new char[kBytes]};
    static constexpr std::size_t kBytes = 1 << 20;
};

// Short enough that the tick and Stop are seen while a large file is read.
constexpr std::chrono::milliseconds kOutcomeWait{10};

void TakeInputs(SearchState& state, SearchView& view) {
    SearchSettings& settings = state.settings;
    view.ReadExtensionFilter(settings.extensionFilter);
    settings.matchCase = view.ReadMatchCase() ? 1 : 0;
    view.ReadSearchText(settings.searchText);
}

// All folders are read first: a link into any of them is not followed, since each is walked
// as itself. The readers start on each folder's files as soon as the walk has listed them.
void WalkFolders(int folderCount, SearchState& state, SearchView& view, ContentReaders& readers,
                 const SearchOptions& options) {
    view.SetStatusText("Building File Search List...");
    std::vector<std::string> folders;
    char folder[kTextBufferSize];
    for (int row = 0; row < folderCount; ++row) {
        view.ReadFolder(row, folder);
        folders.emplace_back(folder);
    }
    const std::function<void()> published = [&readers] { readers.FilesPublished(); };
    os::FsRedirection().WithRedirectionOff([&] {
        FolderLoopGuard guard(folders);
        FolderPrefetch prefetch(options.listers, kFoldersAhead, state.stopFlag);
        for (const std::string& searched : folders) {
            BuildFileList(searched, state, view, guard, prefetch, published);
        }
    });
}

// Returns the number of files the phase reached: all of them, or up to the first one not
// finished when Stop came.
std::uint64_t SearchContents(SearchState& state, SearchView& view, SearchProgress& progress,
                             const TextFinder& finder, ContentReaders& readers) {
    for (progress.fileIndex = 0; progress.fileIndex < progress.fileCount; ++progress.fileIndex) {
        const FileRecord& file = state.fileList[progress.fileIndex];
        if (readers.HasReaders()) {
            // Meanwhile a large file shows how far it is read when a tick is due.
            const FileOutcome outcome =
                readers.Await(progress.fileIndex, kOutcomeWait, [&](std::uint64_t bytesRead) {
                    if (file.size > LARGE_FILE_THRESHOLD && bytesRead > 0 && TakeStatusDue(state)) {
                        WriteLargeFileText(state.fileList, file, bytesRead, progress, view);
                    }
                });
            RecordOutcome(outcome, progress.fileIndex, progress, state);
        } else {
            ScanFileForText(progress.fileIndex, finder, progress, state, view);
        }
        if (StopRequested(state)) {
            return progress.fileIndex + 1;
        }
        if (TakeStatusDue(state)) {
            const float percent = PercentOf(progress.fileIndex, progress.fileCount);
            StatusBuffer text;
            FormatStatus(text,
                         "[%.2f%%] Searching file %" PRIu64 " of %" PRIu64 ", Files found: %" PRIu64
                         ", Unaccessable: %" PRIu64,
                         percent, progress.fileIndex, progress.fileCount, progress.foundCount,
                         progress.unaccessibleCount);
            view.SetStatusText(text);
            view.SetProgressPos(static_cast<int>(percent));
        }
    }
    return progress.fileCount;
}

}  // namespace

void RunSearchJob(SearchState& state, SearchView& view, const SearchOptions& options) {
    TakeInputs(state, view);
    if (state.settings.searchText.units.empty()) {
        return;
    }
    view.StartMarquee();
    const int folderCount = view.FolderCount();
    if (folderCount < 1) {
        view.StopMarquee();
        return;
    }
    // The view shows the result set's entries: it is emptied before they go.
    view.ClearResults();
    state.fileList.clear();
    state.resultSet.clear();
    ShortageReserve reserve;
    const TextFinder finder(SearchForms(state.settings.searchText), state.settings.matchCase != 0);
    std::optional<ContentReaders> readers;
    // Memory running out ends the phase it happens in; what was found so far is still ordered
    // and shown (nothing, when it was the walk), and the final text says why it ended.
    bool outOfMemory = reserve.Catch([&] {
        readers.emplace(state.fileList, finder, state.stopFlag, options);
        WalkFolders(folderCount, state, view, *readers, options);
        state.fileList.Publish();
        readers->WalkEnded();
    });
    if (outOfMemory) {
        readers.reset();  // they read the list: gone before it goes
        state.fileList.clear();
    }

    view.SetPercentRange();
    view.SetProgressPos(0);
    if (!outOfMemory && (StopRequested(state) || state.fileList.empty())) {
        return;
    }
    SearchProgress progress;
    progress.fileCount = state.fileList.size();
    std::uint64_t searched = 0;
    if (!outOfMemory) {
        outOfMemory = reserve.Catch(
            [&] { searched = SearchContents(state, view, progress, finder, *readers); });
        searched = outOfMemory ? progress.fileIndex + 1 : searched;
    }
    const int found = static_cast<int>(state.resultSet.size());
    // The ordering starts over once the reserve is given back: it changes nothing until done.
    const auto order = [&] { SortResultsByDate(0, found, state, view); };
    if (reserve.Catch(order)) {
        outOfMemory = true;
        reserve.Catch(order);
    }
    outOfMemory |= reserve.Catch([&] { PopulateResultList(state, view); });

    StatusBuffer text;
    FormatStatus(
        text, "Files searched: %" PRIu64 ", Files found: %" PRIu64 ", Unaccessable: %" PRIu64 "%s",
        searched, progress.foundCount, progress.unaccessibleCount,
        outOfMemory ? ", stopped: out of memory" : "");
    view.SetStatusText(text);
    view.SetProgressPos(100);
}

void RunSearchWorker(SearchState& state, SearchView& view, const SearchOptions& options) {
    state.stopFlag.store(0, std::memory_order_relaxed);
    view.EnableInputs(false);
    view.StartStatusTick();
    try {
        RunSearchJob(state, view, options);
    } catch (const std::bad_alloc&) {
        // Not even the ending could be written: the window still gets its inputs back.
    }
    view.StopStatusTick();
    view.EnableInputs(true);
    state.stopFlag.store(0, std::memory_order_relaxed);
}
