// The whole job: what each phase shows and where Stop leaves it. The content phase on a pool of
// readers shows exactly what one file after another shows, with files that change between the
// walk and the reading counted as they are when read.
#include "job/search_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"
#include "tests/support/time_limit.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Five folders of one matching file each, so the walk's order is the folders' order; f0 is
// the oldest. The sixth holds a large file of zeros, which takes no room on disk. Match Case
// and the filter are the engine's and the dialog's tests'.
class SearchJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 5; ++i) {
            const std::string name = "d" + std::to_string(i) + "/f" + std::to_string(i) + ".txt";
            tree.AddFile(name, "a needle here");
            tree.SetWriteTime(name, FileTimeFromUtc(2020, 1, 1 + i, 0, 0));
            view.folders.push_back(tree.Path("d" + std::to_string(i)).string());
        }
        std::filesystem::resize_file(tree.AddFile("d5/big.txt", ""), LARGE_FILE_THRESHOLD + 1);
        view.folders.push_back(tree.Path("d5").string());
        tree.AddFile("none/empty.txt", "");
        view.searchText = u"needle";
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

constexpr int kFiles = 600;  // more than the pool's window

// File i, named i, is of kind i % 10.
const std::string kKinds[] = {"hit",   "hit",  "hit",    "miss",  "miss",
                              "short", "gone", "shrunk", "grown", "replaced"};

}  // namespace

// The results of the search before stay unless the walk starts.
TEST_F(SearchJobTest, JobsThatEndBeforeTheContentPhaseWriteNoFinalText) {
    // Search text, folders, the calls made and the results left.
    const std::tuple<std::u16string, std::vector<std::string>, std::string, std::size_t> cases[] = {
        {u"", view.folders, "", 1},
        {u"needle", {}, "marquee on; marquee off; ", 1},
        {u"needle",
         {tree.Path("none").string()},
         "marquee on; clear results; status Building File Search List...; range 0 100; pos 0; ",
         0}};
    for (const auto& [text, folders, calls, resultsLeft] : cases) {
        view.log.clear();
        view.searchText = text;
        view.folders = folders;
        state.resultSet.clear();
        state.resultSet.push_back(0);
        RunSearchJob(state, view);
        EXPECT_EQ(view.log, calls);
        EXPECT_EQ(state.resultSet.size(), resultsLeft);
    }
}

// A tick falls before every call from the first one that starts with tickFrom until Stop is
// pressed at the first call that starts with stopAt; the last calls are compared. A search run
// to its end and Stop while the contents are read are the pool test's. The worker clears a
// Stop left from before.
TEST_F(SearchJobTest, StopInEachPhaseAndTheWorkerClearsStopAfterwards) {
    const std::string rows = "row f0.txt; row f1.txt; row f2.txt; row f3.txt; row f4.txt; ";
    const std::string end =
        "status Files searched: 6, Files found: 5, Unaccessable: 0; pos 100; tick off; inputs on; ";
    // Readers, tickFrom, stopAt and the last calls.
    const std::tuple<unsigned, const char*, const char*, std::string> cases[] = {
        {4, "status Building File Search List...", "status Building File List",
         "status Building File List... 1; range 0 100; pos 0; tick off; inputs on; "},
        // Stopped at the ordering's only text: the found order stays.
        {4, "range 0 100", "status Sorting Results",
         "status Sorting Results... 100.00; pos 100; status Populating List...; " + rows + end},
        {4, "status Populating List...", "status Populating List... ",
         "status Populating List... 0 of 5; pos 0; row f3.txt; row f2.txt; row f1.txt; "
         "row f0.txt; " +
             end},
        // No reader threads: the worker reads each file itself, and shows how far the large
        // one is read; Stop ends that file.
        {0, "range 0 100", "status [83.33%] Large",
         "status [83.33%] Large File Search... [0.01%] [big.txt]; pos 0; "
         "status Populating List...; " +
             rows + end}};
    for (const auto& [readers, tickFrom, stopAt, tail] : cases) {
        SCOPED_TRACE(stopAt);
        view.log.clear();
        bool ticking = false;
        view.onCall = [&, from = tickFrom, at = stopAt](const std::string& call) {
            const bool stop = call.rfind(at, 0) == 0;
            state.stopFlag |= stop;
            ticking = !stop && (ticking || call.rfind(from, 0) == 0);
            state.statusDueFlag = ticking;
        };
        state.stopFlag = 1;
        WithinSeconds(20, "a search of 6 files", [&, n = readers] {
            RunSearchWorker(state, view, SearchOptions{n, kDefaultReadSize});
        });
        ASSERT_GE(view.log.size(), tail.size());
        EXPECT_EQ(view.log.substr(view.log.size() - tail.size()), tail);
        EXPECT_EQ(state.stopFlag.load(), 0u);
    }
}

// Memory running out at any allocation ends the search in that phase: the inputs come back,
// the files found so far are shown newest first (none after the walk's first allocation) and the
// final text says why; the search after it finds every file. A reader that runs out while the
// others do its work leaves the search whole. Without readers the worker allocates for each
// file it reads, so memory runs out after files were found, too.
TEST_F(SearchJobTest, RunningOutOfMemoryAnywhereEndsTheSearchThereAndTheNextOneWorks) {
    const std::string done = "Files searched: 6, Files found: 5, Unaccessable: 0";
    const std::vector<std::string> ordered = {"f4.txt", "f3.txt", "f2.txt", "f1.txt", "f0.txt"};
    for (const unsigned readers : {DefaultReaders(), 0u}) {
        const SearchOptions options{readers, kDefaultReadSize};
        const std::uint64_t before = AllocationsAsked();
        RunSearchWorker(state, view, options);
        const std::uint64_t allocations = AllocationsAsked() - before;
        EXPECT_GE(allocations, 10u) << "the walk, the readers, the found files, ordering, rows";
        // A reader takes its buffer with its first file: a search may take one more per reader.
        for (std::uint64_t at = 1; at <= allocations + readers; ++at) {
            SCOPED_TRACE(testing::Message() << readers << " readers, allocation " << at);
            view.log.clear();
            view.calls.clear();
            view.rowsRefused = false;
            FailAllocationAt(at);
            WithinSeconds(20, "a search running out of memory",
                          [&] { RunSearchWorker(state, view, options); });
            FailAllocationAt(0);
            const std::string end = "tick off; inputs on; ";
            EXPECT_EQ(view.log.substr(view.log.size() - end.size()), end);
            std::vector<std::string> rows;
            for (const std::string& call : view.calls) {
                if (call.rfind("row ", 0) == 0) {
                    rows.push_back(call.substr(4));
                }
            }
            unsigned searched = 0, found = 0;
            std::sscanf(view.status.c_str(), "Files searched: %u, Files found: %u", &searched,
                        &found);
            if (view.status == done) {
                EXPECT_EQ(rows, ordered);
                continue;
            }
            EXPECT_EQ(view.status, "Files searched: " + std::to_string(searched) +
                                       ", Files found: " + std::to_string(found) +
                                       ", Unaccessable: 0, stopped: out of memory");
            EXPECT_TRUE(std::is_sorted(rows.rbegin(), rows.rend())) << "newest first: " << view.log;
            EXPECT_EQ(rows.size() == found, !view.rowsRefused) << "every file found is shown";
            EXPECT_TRUE(at > 1 || searched + found == 0) << view.status;
        }
        view.calls.clear();
        RunSearchWorker(state, view, options);
        EXPECT_EQ(view.status, done);
    }
}

TEST(ContentPool, OutcomeIsThatOfOneReaderStoppedAtTheFirstUnfinishedFile) {
    // Readers, bytes per read, and Stop: at the first per-file text from that file on whose
    // next file misses, so that the outcome of the file being read is known.
    const std::tuple<unsigned, std::size_t, int> cases[] = {
        {1, kDefaultReadSize, kFiles}, {2, READ_CHUNK_SIZE, kFiles},
        {3, kDefaultReadSize, kFiles}, {8, 3 * READ_CHUNK_SIZE, kFiles},
        {2, kDefaultReadSize, 40},     {8, kDefaultReadSize, 300},
        {0, kDefaultReadSize, 40}};
    for (const auto& [readers, readSize, stopFrom] : cases) {
        SCOPED_TRACE(testing::Message() << readers << " readers, stop from " << stopFrom);
        TempTree tree;
        for (int i = 0; i < kFiles; ++i) {
            const std::string& kind = kKinds[i % 10];
            tree.AddFile(std::to_string(i),
                         kind == "hit" ? std::string(i % 50, '.') + "needle"
                         : kind == "short"
                             ? "nee"
                             : std::string(5000 + i, 'e') + (kind == "shrunk" ? "needle" : ""));
            tree.SetWriteTime(std::to_string(i), 42);  // rows keep the order found
        }
        SearchState state;
        RecordingView view;
        view.searchText = u"needle";
        view.folders = {tree.Root()};
        // The names of the files found and of the rows, each and a space; the last text's counts.
        std::string found, rows, counts;
        int texts = 0, foundCount = 0, unaccessible = 0, searched = kFiles;
        bool changed = false;
        view.onCall = [&](const std::string& call) {
            // Once the walk has listed them, before it lets the readers at them, "gone" files
            // vanish, and so do "short" ones, which must not be opened at all; "shrunk" ones
            // lose the needle, "grown" ones gain it within the chunk their listed size ends in,
            // and "replaced" ones are saved anew with it.
            const bool listing = call.rfind("status Building File List", 0) == 0;
            state.statusDueFlag = call == "status Building File Search List..." ||
                                  call == "range 0 100" || state.statusDueFlag;
            for (int i = 0; listing && !changed && i < kFiles; ++i) {
                const std::string& kind = kKinds[i % 10];
                const std::filesystem::path path = tree.Path(std::to_string(i));
                if (kind == "shrunk") {
                    std::filesystem::resize_file(path, i % 3 * 50);  // emptied as well
                } else if (kind == "grown") {
                    std::ofstream(path, std::ios::binary | std::ios::app) << "needle";
                } else if (kind == "gone" || kind == "short" || kind == "replaced") {
                    std::filesystem::remove(path);
                }
                if (kind == "replaced") {
                    tree.AddFile(path.filename().string(), "a needle");
                }
                state.statusDueFlag = 1;
            }
            changed |= listing;
            rows += call.rfind("row ", 0) == 0 ? call.substr(4) + " " : "";
            if (call.rfind("status [", 0) != 0) {
                return;
            }
            const int k = texts++;  // a text after every file, with the counts so far
            const std::string name(state.fileList.Name(state.fileList[k]));
            const std::string kind = kKinds[std::stoi(name) % 10];
            unaccessible += kind == "gone";
            if (kind == "hit" || kind == "grown" || kind == "replaced") {
                found += name + " ";
                ++foundCount;
            }
            counts = ", Files found: " + std::to_string(foundCount) +
                     ", Unaccessable: " + std::to_string(unaccessible);
            EXPECT_EQ(call.substr(call.find(']') + 2),
                      "Searching file " + std::to_string(k) + " of 600" + counts);
            state.statusDueFlag = 1;
            if (k >= stopFrom && k + 1 < kFiles && searched == kFiles &&
                kKinds[std::stoi(std::string(state.fileList.Name(state.fileList[k + 1]))) % 10] ==
                    "miss") {
                searched = k + 2;
                state.stopFlag = 1;
            }
        };
        WithinSeconds(60, "a search of 600 files", [&, n = readers, size = readSize] {
            RunSearchJob(state, view, SearchOptions{n, size});
        });
        EXPECT_EQ(texts, searched < kFiles ? searched - 1 : kFiles);
        EXPECT_EQ(rows, found);
        EXPECT_EQ(view.status, "Files searched: " + std::to_string(searched) + counts);
    }
}

// After Stop the file waited for settles as neither: one that no reader claimed, since Stop
// came before the readers started, and natively one that a pipe holds its reader inside until
// Stop has come, whose bytes read after Stop are not matched.
TEST(ContentPool, AfterStopTheFileWaitedForSettlesAsNeither) {
    TempTree tree;
    FileList files;
    ListFile(files, tree.AddFile("f", "needle"), 6);
    const TextFinder finder({{"needle"}}, true);
    std::atomic<std::uint32_t> stop{1};
    auto await = [&](ContentReaders& readers, const char* what) {
        FileOutcome outcome = FileOutcome::kFound;
        WithinSeconds(5, what,
                      [&] { outcome = readers.Await(0, std::chrono::milliseconds(10), {}); });
        EXPECT_EQ(outcome, FileOutcome::kNeither) << what;
    };
    {
        ContentReaders readers(files, finder, stop, SearchOptions{2, kDefaultReadSize});
        await(readers, "the outcome of a file no reader claimed");
    }
#ifndef _WIN32
    stop = 0;
    const std::string pipe = tree.Path("pipe").string();
    FileList piped;
    ListFile(piped, pipe, 1 << 20);
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ContentReaders readers(piped, finder, stop, SearchOptions{2, kDefaultReadSize});
    int writer = -1;
    WithinSeconds(5, "a reader to open the pipe", [&] { writer = open(pipe.c_str(), O_WRONLY); });
    const std::string chunk(READ_CHUNK_SIZE, '.');
    ASSERT_EQ(write(writer, chunk.data(), chunk.size()), static_cast<ssize_t>(chunk.size()));
    WithinSeconds(5, "the reader to match the pipe's first chunk", [&] {
        while (readers.BytesRead(0) != READ_CHUNK_SIZE) {
            std::this_thread::yield();
        }
    });
    stop = 1;
    ASSERT_EQ(write(writer, "needle", 6), 6);
    close(writer);
    await(readers, "the outcome of the pipe");
#endif
}
