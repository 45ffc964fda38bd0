#include "engine/content_matcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    FileEntry Entry(const std::string& name, const std::string& content) {
        return {42, static_cast<std::int64_t>(content.size()), tree.AddFile(name, content), name};
    }

    // True when entry was found and recorded as found.
    bool Scan(const FileEntry& entry, const std::string& text, bool matchCase = true) {
        const std::size_t before = state.resultSet.size();
        const TextFinder finder(text.data(), text.size(), matchCase);
        ScanFileForText(entry, finder, progress, state, view);
        EXPECT_EQ(progress.foundCount, state.resultSet.size());
        return state.resultSet.size() == before + 1 && state.resultSet.back().name == entry.name;
    }

    TempTree tree;
    SearchState state;
    SearchProgress progress;
    RecordingView view;
};

}  // namespace

TEST_F(MatcherTest, FileShorterThanTheTextIsNeitherOpenedNorCounted) {
    const std::string text(259, 'q');
    EXPECT_TRUE(Scan(Entry("exact", text), text));
    FileEntry missing{0, 258, tree.Path("missing").string(), "missing"};
    Scan(missing, text);
    EXPECT_EQ(progress.unaccessibleCount, 0u);
    missing.size = 259;  // long enough: opened, and the open fails
    Scan(missing, text);
    EXPECT_EQ(progress.unaccessibleCount, 1u);
}

TEST_F(MatcherTest, ReadingEndsAtStopOrAtTheRecordedSizeWithTheCurrentChunk) {
    const std::string content = "early" + std::string(READ_CHUNK_SIZE, '.') + "late";
    FileEntry e = Entry("s.bin", content);
    e.size = 10;  // the file grew after the walk
    EXPECT_TRUE(Scan(e, "early"));
    EXPECT_FALSE(Scan(e, "late"));
    e.size = static_cast<std::int64_t>(content.size());
    state.stopFlag = 1;  // the first read is made, but not searched past its first chunk
    const TextFinder late("late", 4, true);
    EXPECT_EQ(FileScanner(late, kDefaultReadSize).Scan(e, state.stopFlag), FileOutcome::kNeither);
}

TEST_F(MatcherTest, LargeFileTextOnlyAboveTheThresholdAndOncePerTick) {
    FileEntry e = Entry("big.bin", std::string(2 * READ_CHUNK_SIZE, '.'));
    progress = {3, 1, 0, 0};
    state.statusDueFlag = 1;
    e.size = LARGE_FILE_THRESHOLD;  // the recorded size counts, not the short file on disk
    Scan(e, "x");
    EXPECT_TRUE(view.calls.empty());
    e.size = LARGE_FILE_THRESHOLD + 1;
    Scan(e, "x");
    EXPECT_EQ(view.calls, (std::vector<std::string>{
                              "status [33.33%] Large File Search... [0.01%] [big.bin]", "pos 0"}));
    e.name.assign(300, 'n');  // cut to the 259 characters of the status buffer
    view.calls.clear();
    state.statusDueFlag = 1;
    Scan(e, "x");
    EXPECT_EQ(view.calls.at(0).size(), std::string("status ").size() + 259);
}

// Costs seconds: scripts/slow-checks.sh runs it. The size comes from the walk.
TEST_F(MatcherTest, DISABLED_FiveGiBSparseFileIsFoundByItsLastBytes) {
    std::filesystem::resize_file(tree.AddFile("big", ""), (5ULL << 30) - 6);
    std::ofstream(tree.Path("big"), std::ios::binary | std::ios::app) << "needle";
    BuildFileList(tree.Root(), state, view);
    ASSERT_EQ(state.fileList.size(), 1u);
    EXPECT_EQ(state.fileList[0].size, 5LL << 30);
    EXPECT_TRUE(Scan(state.fileList[0], "needle"));
}
