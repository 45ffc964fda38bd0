// The content phase on a pool of readers shows exactly what one file after another shows.
#include "job/search_job.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr int kFiles = 600;  // more than the pool's window

// File i, named i: hits hold "needle" at the start, across a chunk or across a read; after
// the walk "gone" files vanish (Windows: are held unshared) and "shrunk" ones lose the needle.
std::string Kind(int i) {
    static const char* kinds[] = {"hit", "hit", "hit", "miss", "miss", "short", "gone", "shrunk"};
    return kinds[i % 8];
}

std::string Content(int i) {
    const std::size_t at[] = {0, READ_CHUNK_SIZE - 3, kDefaultReadSize - 2};
    return Kind(i) == "hit"     ? std::string(at[i % 3], '.') + "needle" + std::string(i % 50, '.')
           : Kind(i) == "short" ? "nee"
                                : std::string(5000 + i, 'e') + (Kind(i) == "miss" ? "" : "needle");
}

}  // namespace

TEST(ContentPool, OutcomeIsThatOfOneReaderStoppedAtTheFirstUnfinishedFile) {
    // Readers, bytes per read, and Stop: at the first per-file text from that file on whose
    // next file misses, so that the outcome of the file being read is known.
    const std::tuple<unsigned, std::size_t, int> cases[] = {
        {1, kDefaultReadSize, kFiles}, {2, READ_CHUNK_SIZE, kFiles},
        {3, kDefaultReadSize, kFiles}, {8, 3 * READ_CHUNK_SIZE, kFiles},
        {2, kDefaultReadSize, 40},     {8, kDefaultReadSize, 300}};
    for (const auto& [readers, readSize, stopFrom] : cases) {
        SCOPED_TRACE(testing::Message() << readers << " readers, stop from " << stopFrom);
        TempTree tree;
        for (int i = 0; i < kFiles; ++i) {
            tree.AddFile(std::to_string(i), Content(i));
            tree.SetWriteTime(std::to_string(i), 42);  // rows keep the order found
        }
        SearchState state;
        RecordingView view;
        view.searchText = "needle";
        view.folders = {tree.Root()};
        std::vector<std::string> foundNames;
        int texts = 0, unaccessible = 0, searched = kFiles;
        std::vector<std::shared_ptr<void>> held;
        std::string last;  // status text
        auto onText = [&](const std::string& text) {
            last = text;
            if (text[0] != '[') {
                return;
            }
            const int k = texts++;  // a text after every file, with the counts so far
            const std::string kind = Kind(std::stoi(state.fileList[k].name));
            unaccessible += kind == "gone";
            if (kind == "hit") {
                foundNames.push_back(state.fileList[k].name);
            }
            EXPECT_EQ(text.substr(text.find(']') + 2),
                      "Searching file " + std::to_string(k) +
                          " of 600, Files found: " + std::to_string(foundNames.size()) +
                          ", Unaccessable: " + std::to_string(unaccessible));
            state.statusDueFlag = 1;
            if (k >= stopFrom && k + 1 < kFiles && searched == kFiles &&
                Kind(std::stoi(state.fileList[k + 1].name)) == "miss") {
                searched = k + 2;
                state.stopFlag = 1;
            }
        };
        view.onCall = [&](const std::string& call) {
            for (int i = 0; call == "range 0 100" && i < kFiles; ++i) {
                const std::filesystem::path path = tree.Path(std::to_string(i));
                if (Kind(i) == "shrunk") {
                    std::filesystem::resize_file(path, 100);
                } else if (Kind(i) == "gone") {
#ifdef _WIN32
                    held.emplace_back(CreateFileA(path.string().c_str(), GENERIC_READ, 0, nullptr,
                                                  OPEN_EXISTING, 0, nullptr),
                                      CloseHandle);
#else
                    std::filesystem::remove(path);
#endif
                }
            }
            state.statusDueFlag = state.statusDueFlag || call == "range 0 100";
            if (call.rfind("status ", 0) == 0) {
                onText(call.substr(7));
            }
        };
        RunSearchJob(state, view, ContentOptions{readers, readSize});
        std::vector<std::string> rows(view.rows.size());
        std::transform(view.rows.begin(), view.rows.end(), rows.begin(),
                       [](auto r) { return r->name; });
        EXPECT_EQ(texts, searched < kFiles ? searched - 1 : kFiles);
        EXPECT_EQ(rows, foundNames);
        EXPECT_EQ(last, "Files searched: " + std::to_string(searched) +
                            ", Files found: " + std::to_string(foundNames.size()) +
                            ", Unaccessable: " + std::to_string(unaccessible));
    }
}

#ifndef _WIN32
// A pipe holds the reader inside the file until Stop has come.
TEST(ContentPool, ReaderMatchesNothingReadAfterStop) {
    TempTree tree;
    FileList files(1);
    files[0].fullPath = tree.Path("pipe").string();
    files[0].size = 1 << 20;
    ASSERT_EQ(mkfifo(files[0].fullPath.c_str(), 0600), 0);
    const TextFinder finder("needle", 6, true);
    std::atomic<std::uint32_t> stop{0};
    ContentReaders readers(files, finder, stop, ContentOptions{2, kDefaultReadSize});
    const int writer = open(files[0].fullPath.c_str(), O_WRONLY);
    const std::string chunk(READ_CHUNK_SIZE, '.');
    ASSERT_EQ(write(writer, chunk.data(), chunk.size()), static_cast<ssize_t>(chunk.size()));
    while (readers.BytesRead(0) != READ_CHUNK_SIZE) {
    }
    stop = 1;
    ASSERT_EQ(write(writer, "needle", 6), 6);
    close(writer);
    std::optional<FileOutcome> outcome;
    while (!(outcome = readers.Take(0, std::chrono::milliseconds(10)))) {
    }
    EXPECT_EQ(*outcome, FileOutcome::kNeither);
}
#endif
