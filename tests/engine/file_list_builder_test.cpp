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

using Names = std::vector<std::string>;

class WalkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "B.Txt", "Makefile", "sub.dir/c.txt",
                                 "sub.dir/deeper/d.TXT", "sub.dir/e.log"}) {
            tree.AddFile(name, "12345");
        }
        tree.AddFile("empty.txt", "");
    }

    // The names listed, sorted.
    Names Walk(const std::string& filter) {
        std::snprintf(state.settings.extensionFilter, kTextBufferSize, "%s", filter.c_str());
        state.fileList.clear();
        BuildFileList(tree.Root(), state, view);
        Names names;
        for (const FileEntry& e : state.fileList) {
            names.push_back(e.name);
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

TEST(ExtensionFilter, TheLastExtensionWithItsDotEqualsTheFilterFoldingAToZ) {
    const struct {
        const char *name, *filter;
        bool passes;
    } cases[] = {
        {"Makefile", "", true},         {"notes.TXT", ".txt", true}, {"x.tar.gz", ".gz", true},
        {"x.tar.gz", ".tar.gz", false}, {"Makefile", ".txt", false}, {"a.txt", "txt", false},
        {"a.txt", ".txtx", false},      {"a.txt", ".tx", false},     {"a.\xC4", ".\xE4", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(MatchesExtensionFilter(c.name, c.filter), c.passes) << c.name << " " << c.filter;
    }
}

TEST_F(WalkTest, ListsEveryNonEmptyFileThatPassesWithItsFullPathUntilStop) {
    EXPECT_EQ(Walk(".TXT"), (Names{"B.Txt", "a.txt", "c.txt", "d.TXT"}));  // sub.dir walked
    EXPECT_EQ(Walk(""), (Names{"B.Txt", "Makefile", "a.txt", "c.txt", "d.TXT", "e.log"}));
    Walk(".log");  // joined with the platform's separator
    EXPECT_EQ(state.fileList.at(0).fullPath,
              tree.Path("sub.dir").string() + os::kPathSeparator + "e.log");
    state.stopFlag = 1;
    EXPECT_TRUE(Walk("").empty());
}

TEST_F(WalkTest, ProgressTextOnlyWhenDueAndOnlyForFilesThatPass) {
    state.statusDueFlag = 1;
    Walk(".none");  // folders and rejected files take no tick
    Walk(".log");
    Walk(".log");  // no tick left
    EXPECT_EQ(view.calls, (Names{"status Building File List... 1"}));
}

#ifndef _WIN32
TEST_F(WalkTest, LinksAreFollowedButAFolderOnTheDescentIsNotEnteredAgain) {
    namespace fs = std::filesystem;
    fs::create_directory_symlink(tree.Path(""), tree.Path("sub.dir/back-to-root"));
    fs::create_directory_symlink(tree.Path("sub.dir/deeper"), tree.Path("side"));
    fs::create_symlink(tree.Path("a.txt"), tree.Path("link.txt"));
    fs::create_symlink(tree.Path("gone.txt"), tree.Path("dangling.txt"));
    // d.TXT twice: in its folder and through the side link, which is not on its descent.
    EXPECT_EQ(Walk(".txt"), (Names{"B.Txt", "a.txt", "c.txt", "d.TXT", "d.TXT", "link.txt"}));
}
#endif
