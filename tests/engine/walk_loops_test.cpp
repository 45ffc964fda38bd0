// Trees that change shape under the walk: links back into the searched tree or above it list
// every file once, and a folder deleted before the walk reaches it is skipped.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#endif

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
                         FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    }

  private:
    // Runs command in path's folder. Wine can't wait for a Unix process: this waits for
    // path to take the attributes.
    static bool Unix(std::string command, const std::filesystem::path& path, DWORD attributes) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                           path.parent_path().string().c_str(), &startup, &process)) {
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        }
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

}  // namespace

// Sorted names of the files the walk of folder lists.
static std::vector<std::string> Walk(const std::string& folder, SearchState& state,
                                     RecordingView& view) {
    BuildFileList(folder, state, view);
    std::vector<std::string> names;
    for (const FileEntry& e : state.fileList) {
        names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WalkLoops, EveryFileBelowALoopIsListedOnce) {
    const struct {
        std::vector<std::pair<std::string, std::string>> links;  // link, relative target
        std::vector<std::string> listed;
    } cases[] = {
        {{{"S/self", "."}}, {"f", "g"}},
        {{{"S/self", "."}, {"S/up", ".."}}, {"f", "g"}},
        {{{"S/a/top", "../.."}}, {"f", "g"}},                     // above the search folder
        {{{"S/l", "a/c"}, {"S/a/c/up", ".."}}, {"f", "g", "g"}},  // a side link is no loop
    };
    for (const auto& c : cases) {
        LinkedTree tree;
        tree.AddFile("outside", "o");
        tree.AddFile("S/f", "f");
        tree.AddFile("S/a/c/g", "g");
        for (const auto& [link, target] : c.links) {
            tree.Link(link, target);
        }
        SearchState state;
        RecordingView view;
        // The first failure ends the test: a walk that loops fails fast, not at the time limit.
        ASSERT_EQ(Walk(tree.Path("S").string(), state, view), c.listed) << c.links.back().first;
    }
}

TEST(WalkLoops, AFolderDeletedBeforeTheWalkReachesItIsSkipped) {
    TempTree tree;
    for (const char* file : {"one/a", "one/sub/b", "two/c", "two/sub/d"}) {
        tree.AddFile(file, "x");
    }
    SearchState state;
    RecordingView view;
    state.statusDueFlag = 1;  // the first file met writes a text: the other folder goes then
    view.onCall = [&](const std::string&) {
        std::filesystem::remove_all(tree.Path(state.fileList[0].name < "c" ? "two" : "one"));
    };
    EXPECT_EQ(Walk(tree.Root(), state, view).size(), 2u);
}
