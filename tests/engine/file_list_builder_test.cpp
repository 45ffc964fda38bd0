// The walk: which files it lists, and trees that change shape under it (links back into the
// searched tree or above it, a folder deleted before the walk reaches it).
#include "engine/file_list_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#endif

using Names = std::vector<std::string>;

namespace {

// Under Wine, Win32 can neither make a folder link nor remove one (that removes its target),
// though it lists one as a folder reparse point (0x410): ln and rm do it on the Unix side.
class LinkedTree : public TempTree {
  public:
#ifdef _WIN32
    ~LinkedTree() {
        const std::filesystem::path root = Root();
        Unix("/bin/rm -rf " + root.filename().string(), root, INVALID_FILE_ATTRIBUTES);
    }
    void Link(const std::string& link, const std::string& target) const {
        const std::filesystem::path at = Path(link);
        EXPECT_TRUE(Unix("/bin/ln -s " + target + " " + at.filename().string(), at,
                         FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            << "no link at " << link << " within 5 s";
    }

  private:
    // Runs command in path's folder. Wine can't wait for a Unix process: this waits for
    // path to take the attributes.
    static bool Unix(const std::string& command, const std::filesystem::path& path,
                     DWORD attributes) {
        SetCurrentDirectoryA(path.parent_path().string().c_str());
        WinExec(command.c_str(), SW_HIDE);
        for (int i = 0; i < 500 && GetFileAttributesA(path.string().c_str()) != attributes; ++i) {
            Sleep(10);
        }
        return GetFileAttributesA(path.string().c_str()) == attributes;
    }
#else
    void Link(const std::string& link, const std::string& target) const {
        std::filesystem::create_directory_symlink(target, Path(link));
    }
#endif
};

// Sorted names of the files the walk of folder lists.
Names Walk(const std::string& folder, SearchState& state, RecordingView& view) {
    state.fileList.clear();
    BuildFileList(folder, state, view);
    Names names;
    for (const FileEntry& e : state.fileList) {
        names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class WalkTest : public ::testing::Test {
  protected:
    // Names as users have them: dots anywhere, spaces, any case; hidden and system ones.
    void SetUp() override {
        for (const char* name :
             {"a.txt", "B.Txt", "Makefile", ".profile", "..two.txt", "long name here.txt",
              "sub.dir/c.txt", "sub.dir/deeper/d.TXT", ".cfg/e.log", "a b/f.log"}) {
            tree.AddFile(name, "12345");
        }
        tree.AddFile("empty.txt", "");
#ifdef _WIN32
        for (const char* name : {"a.txt", "sub.dir"}) {
            SetFileAttributesA(tree.Path(name).string().c_str(),
                               FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        }
#endif
    }

    Names Walk(const std::string& filter) {
        std::snprintf(state.settings.extensionFilter, kTextBufferSize, "%s", filter.c_str());
        return ::Walk(tree.Root(), state, view);
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

}  // namespace

TEST(ExtensionFilter, TheLastExtensionWithItsDotEqualsTheFilterFoldingAToZ) {
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Makefile", "", true},         {"notes.TXT", ".txt", true}, {"x.tar.gz", ".gz", true},
        {"x.tar.gz", ".tar.gz", false}, {"Makefile", ".txt", false}, {"a.txt", "txt", false},
        {"a.txt", ".txtx", false},      {"a.txt", ".tx", false},     {"a.\xC4", ".\xE4", false}};
    for (const auto& [name, filter, passes] : cases) {
        EXPECT_EQ(MatchesExtensionFilter(name, filter), passes) << name << " " << filter;
    }
}

TEST_F(WalkTest, ListsEveryNonEmptyFileThatPassesUntilStop) {
    EXPECT_EQ(Walk(".TXT"), (Names{"..two.txt", "B.Txt", "a.txt", "c.txt", "d.TXT",
                                   "long name here.txt"}));  // sub.dir walked
    EXPECT_EQ(Walk(""), (Names{"..two.txt", ".profile", "B.Txt", "Makefile", "a.txt", "c.txt",
                               "d.TXT", "e.log", "f.log", "long name here.txt"}));
    state.stopFlag = 1;
    EXPECT_TRUE(Walk("").empty());
}

TEST(WalkLoops, EveryFileBelowALoopIsListedOnce) {
    // Links with their relative targets, and the files listed.
    const std::pair<std::vector<std::pair<std::string, std::string>>, Names> cases[] = {
        {{{"S/self", "."}}, {"f", "g"}},
        {{{"S/self", "."}, {"S/up", ".."}}, {"f", "g"}},
        {{{"S/a/top", "../.."}}, {"f", "g"}},                     // above the search folder
        {{{"S/l", "a/c"}, {"S/a/c/up", ".."}}, {"f", "g", "g"}},  // a side link is no loop
    };
    for (const auto& [links, listed] : cases) {
        LinkedTree tree;
        tree.AddFile("outside", "o");
        tree.AddFile("S/f", "f");
        tree.AddFile("S/a/c/g", "g");
        for (const auto& [link, target] : links) {
            tree.Link(link, target);
        }
        SearchState state;
        RecordingView view;
        // The first failure ends the test: a walk that loops fails fast, not at the time limit.
        ASSERT_EQ(Walk(tree.Path("S").string(), state, view), listed) << links.back().first;
    }
}

TEST_F(WalkTest, AFolderDeletedBeforeTheWalkReachesItIsSkipped) {
    for (const char* file : {"x/one/a", "x/one/sub/b", "x/two/c", "x/two/sub/d"}) {
        tree.AddFile(file, "x");
    }
    state.statusDueFlag = 1;  // the first file met writes a text: the other folder goes then
    view.onCall = [&](const std::string&) {
        std::filesystem::remove_all(tree.Path(state.fileList[0].name < "c" ? "x/two" : "x/one"));
    };
    EXPECT_EQ(::Walk(tree.Path("x").string(), state, view).size(), 2u);
}
