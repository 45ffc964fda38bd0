// Links that lead back into the searched tree or above it: every file is listed once.
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

TEST(WalkLoops, EveryFileBelowALoopIsListedOnce) {
    using Names = std::vector<std::string>;
    const struct {
        std::vector<std::pair<std::string, std::string>> links;  // link, relative target
        bool fromRoot;  // walks the tree's root rather than S
        Names listed;   // sorted
    } cases[] = {
        {{{"S/self", "."}}, false, {"f", "g"}},
        {{{"S/self", "."}, {"S/up", ".."}}, false, {"f", "g"}},
        {{{"S/self", "."}, {"S/up", ".."}}, true, {"f", "g", "outside"}},
        {{{"S/a/top", "../.."}}, false, {"f", "g"}},                     // above the search folder
        {{{"S/l", "a/c"}, {"S/a/c/up", ".."}}, false, {"f", "g", "g"}},  // a side link is no loop
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
        BuildFileList(c.fromRoot ? tree.Root() : tree.Path("S").string(), state, view);
        Names names;
        for (const FileEntry& e : state.fileList) {
            names.push_back(e.name);
        }
        std::sort(names.begin(), names.end());
        // The first failure ends the test: a walk that loops fails fast, not at the time limit.
        ASSERT_EQ(names, c.listed) << c.links.back().first;
    }
}
