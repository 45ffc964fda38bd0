#include "engine/file_list_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "os/path.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const FileList& list) {
    std::vector<std::string> names;
    for (const FileEntry& e : list) {
        names.push_back(e.name);
    }
    return names;
}

// The walk's order, found independently: the platform's own listing order within each
// folder, sub-folders' files where the sub-folder is met.
void ExpectedWalk(const fs::path& folder, const std::string& filter,
                  std::vector<std::string>& out) {
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (e.is_directory()) {
            ExpectedWalk(e.path(), filter, out);
        } else if (MatchesExtensionFilter(name.c_str(), filter.c_str()) && e.file_size() > 0) {
            out.push_back(name);
        }
    }
}

class WalkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tree.AddFile("a.txt", "alpha");
        tree.AddFile("B.Txt", "bravo");
        tree.AddFile("empty.txt", "");
        tree.AddFile("Makefile", "all:");
        tree.AddFile(".profile", "p");
        tree.AddFile("x.tar.gz", "gz");
        tree.AddFile("sub.dir/c.txt", "charlie");
        tree.AddFile("sub.dir/deeper/d.TXT", "delta");
        tree.AddFile("sub.dir/e.log", "echo");
        tree.AddFolder("only/folders/here");
    }

    std::vector<std::string> Walk(const std::string& filter) {
        std::snprintf(state.settings.extensionFilter, kTextBufferSize, "%s", filter.c_str());
        BuildFileList(tree.Root(), state, view);
        return Names(state.fileList);
    }

    std::vector<std::string> Expected(const std::string& filter) {
        std::vector<std::string> names;
        ExpectedWalk(tree.Path(""), filter, names);
        return names;
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

}  // namespace

TEST(ExtensionFilter, OneExtensionWithItsDotFoldingAToZOnly) {
    EXPECT_TRUE(MatchesExtensionFilter("Makefile", ""));
    EXPECT_TRUE(MatchesExtensionFilter("notes.TXT", ".txt"));
    EXPECT_TRUE(MatchesExtensionFilter("a.b.txt", ".TXT"));
    EXPECT_TRUE(MatchesExtensionFilter(".profile", ".profile"));
    EXPECT_TRUE(MatchesExtensionFilter("x.tar.gz", ".gz"));
    EXPECT_FALSE(MatchesExtensionFilter("x.tar.gz", ".tar.gz"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", "txt"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", "*.txt"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", "*"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", ".txt;.log"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", " .txt"));
    EXPECT_FALSE(MatchesExtensionFilter("Makefile", ".txt"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", ".txtx"));
    EXPECT_FALSE(MatchesExtensionFilter("a.txt", ".tx"));
    // Only A-Z fold: Latin-1 capitals and their small letters stay apart.
    EXPECT_FALSE(MatchesExtensionFilter("a.\xC4", ".\xE4"));
    EXPECT_TRUE(MatchesExtensionFilter("a.\xC4", ".\xC4"));
}

TEST(DotEntries, OnlyTheTwoWholeNames) {
    EXPECT_TRUE(IsDotEntry("."));
    EXPECT_TRUE(IsDotEntry(".."));
    EXPECT_FALSE(IsDotEntry("..."));
    EXPECT_FALSE(IsDotEntry(".a"));
    EXPECT_FALSE(IsDotEntry(""));
}

TEST_F(WalkTest, EmptyFilterListsEveryNonEmptyFileInPreOrder) {
    const std::vector<std::string> names = Walk("");
    EXPECT_EQ(names, Expected(""));
    EXPECT_EQ(names.size(), 8u);  // all but the empty file
    for (const FileEntry& e : state.fileList) {
        EXPECT_GE(e.size, 1);
    }
}

TEST_F(WalkTest, FilterAppliesToFilesOnlyAndFoldsCase) {
    EXPECT_EQ(Walk(".TXT"), Expected(".TXT"));
    EXPECT_EQ(state.fileList.size(), 4u);  // a.txt, B.Txt, c.txt, d.TXT; sub.dir is walked
    state.fileList.clear();
    EXPECT_TRUE(Walk("txt").empty());
    EXPECT_TRUE(Walk(".tar.gz").empty());
    EXPECT_EQ(Walk(".gz"), std::vector<std::string>{"x.tar.gz"});
    state.fileList.clear();
    EXPECT_EQ(Walk(".profile"), std::vector<std::string>{".profile"});
}

TEST_F(WalkTest, EntriesCarryPathSizeAndTime) {
    const std::uint64_t when = FileTimeFromUtc(2024, 3, 5, 19, 7, 30) + 1234500;  // sub-second part
    tree.SetWriteTime("sub.dir/deeper/d.TXT", when);
    Walk(".txt");
    const FileEntry* d = nullptr;
    for (const FileEntry& e : state.fileList) {
        if (e.name == "d.TXT") {
            d = &e;
        }
    }
    ASSERT_NE(d, nullptr);
    const std::string sep(1, os::kPathSeparator);
    EXPECT_EQ(d->fullPath, tree.Root() + sep + "sub.dir" + sep + "deeper" + sep + "d.TXT");
    EXPECT_EQ(d->size, 5);
    EXPECT_EQ(d->lastWriteTime, when);
}

TEST_F(WalkTest, ProgressTextOnlyWhenDueAndOnlyForFilesThatPassTheFilter) {
    state.statusDueFlag = 1;
    Walk(".log");  // only folders and rejected files before e.log
    EXPECT_EQ(view.StatusTexts(), std::vector<std::string>{"Building File List... 1"});
    EXPECT_EQ(state.statusDueFlag.load(), 0u);

    // A zero-byte file that passes the filter may write the unchanged count.
    TempTree empties;
    empties.AddFile("zero.log", "");
    state.statusDueFlag = 1;
    view.calls.clear();
    BuildFileList(empties.Root(), state, view);
    EXPECT_EQ(view.StatusTexts(), std::vector<std::string>{"Building File List... 1"});

    // Folders alone never write.
    TempTree folders;
    folders.AddFolder("a/b/c");
    state.statusDueFlag = 1;
    view.calls.clear();
    BuildFileList(folders.Root(), state, view);
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(state.statusDueFlag.load(), 1u);
}

TEST_F(WalkTest, StopBeforeOrDuringTheWalk) {
    state.stopFlag = 1;
    EXPECT_TRUE(Walk("").empty());

    // Stop pressed while a progress text is written: nothing more is appended.
    state.stopFlag = 0;
    state.statusDueFlag = 1;
    view.onStatus = [this](const std::string&) { state.stopFlag = 1; };
    Walk("");
    ASSERT_EQ(view.StatusTexts().size(), 1u);
    // The text is written for the first file met (empty.txt would leave the count at 0).
    const std::string text = view.StatusTexts()[0];
    EXPECT_EQ(text, "Building File List... " + std::to_string(state.fileList.size()));
    EXPECT_LE(state.fileList.size(), 1u);
}

TEST_F(WalkTest, SeveralFoldersFollowOneAnotherAndTheCountRunsOn) {
    TempTree second;
    second.AddFile("z1.txt", "z");
    second.AddFile("z2.txt", "zz");
    Walk(".txt");
    const std::size_t first = state.fileList.size();
    state.statusDueFlag = 1;
    BuildFileList(second.Root(), state, view);
    ASSERT_EQ(state.fileList.size(), first + 2);
    EXPECT_EQ(state.fileList[first].name.substr(0, 1), "z");
    EXPECT_EQ(view.StatusTexts(),
              std::vector<std::string>{"Building File List... " + std::to_string(first + 1)});
}

TEST_F(WalkTest, MissingFolderYieldsNothing) {
    BuildFileList(tree.Root() + os::kPathSeparator + "no-such-folder", state, view);
    EXPECT_TRUE(state.fileList.empty());
    EXPECT_TRUE(view.calls.empty());
}

#ifndef _WIN32
TEST_F(WalkTest, LinksAreFollowedButALoopIsWalkedOnce) {
    fs::create_directory_symlink(tree.Path(""), tree.Path("sub.dir/back-to-root"));
    fs::create_directory_symlink(tree.Path("sub.dir/deeper"), tree.Path("side"));
    fs::create_symlink(tree.Path("a.txt"), tree.Path("link-to-a.txt"));
    fs::create_symlink(tree.Path("gone.txt"), tree.Path("dangling.txt"));
    const std::vector<std::string> names = Walk(".txt");
    auto count = [&](const std::string& n) { return std::count(names.begin(), names.end(), n); };
    EXPECT_EQ(count("a.txt"), 1);
    EXPECT_EQ(count("c.txt"), 1);
    EXPECT_EQ(count("d.TXT"), 2);  // once in its folder, once through the side link
    EXPECT_EQ(count("link-to-a.txt"), 1);
    EXPECT_EQ(count("dangling.txt"), 0);
    for (const FileEntry& e : state.fileList) {
        if (e.name == "link-to-a.txt") {
            EXPECT_EQ(e.size, 5);  // the target's size
        }
    }
}
#endif
