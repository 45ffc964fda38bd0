// Links that lead back into the searched tree or above it: every file is listed once.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "engine/file_list_builder.h"
#include "os/path.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

#ifdef _WIN32
// Runs a Unix command in path's folder, and waits for it to give path these attributes:
// Wine can't wait for a Unix process.
bool RunOnUnixSide(std::string command, const fs::path& path, DWORD attributes) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                        path.parent_path().string().c_str(), &startup, &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int i = 0; i < 500 && GetFileAttributesA(path.string().c_str()) != attributes; ++i) {
        Sleep(10);
    }
    return GetFileAttributesA(path.string().c_str()) == attributes;
}
#endif

// Under Wine, Win32 can neither make a folder link nor remove one (that removes the target),
// though it lists one as a folder reparse point (0x410): ln and rm work on the Unix side.
class LinkedTree : public TempTree {
  public:
#ifdef _WIN32
    ~LinkedTree() {
        const fs::path root = Root();
        RunOnUnixSide("/bin/rm -rf " + root.filename().string(), root, INVALID_FILE_ATTRIBUTES);
    }
    void Link(const std::string& link, const std::string& target) const {
        const fs::path at = Path(link);
        EXPECT_TRUE(RunOnUnixSide("/bin/ln -s " + target + " " + at.filename().string(), at,
                                  FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
    }
#else
    void Link(const std::string& link, const std::string& target) const {
        fs::create_directory_symlink(target, Path(link));
    }
#endif
};

}  // namespace

TEST(WalkLoops, EveryFileBelowALoopIsListedOnce) {
    struct Case {
        std::vector<std::pair<std::string, std::string>> links;  // link, relative target
        std::string
            searched;        // below the tree's root, which holds outside.txt, S/f.txt, S/a/c/g.txt
        long f, g, outside;  // how often each file is listed
    };
    const Case cases[] = {
        {{{"S/self", "."}}, "S", 1, 1, 0},
        {{{"S/self", "."}, {"S/up", ".."}}, "S", 1, 1, 0},
        {{{"S/self", "."}, {"S/up", ".."}}, "", 1, 1, 1},
        {{{"S/a/top", "../.."}}, "S", 1, 1, 0},                // above the search folder
        {{{"S/l", "a/c"}, {"S/a/c/up", ".."}}, "S", 1, 2, 0},  // a side link is no loop
    };
    for (const Case& c : cases) {
        LinkedTree tree;
        tree.AddFile("outside.txt", "o");
        tree.AddFile("S/f.txt", "f");
        tree.AddFile("S/a/c/g.txt", "g");
        for (const auto& [link, target] : c.links) {
            tree.Link(link, target);
        }
        const std::string folder =
            c.searched.empty() ? tree.Root() : tree.Root() + os::kPathSeparator + c.searched;
        SearchState state;
        RecordingView view;
        BuildFileList(folder, state, view);
        auto count = [&](const std::string& name) {
            return std::count_if(state.fileList.begin(), state.fileList.end(),
                                 [&](const FileEntry& e) { return e.name == name; });
        };
        const std::string label = c.links.back().first + " searching " + folder;
        // One assertion at a time: a walk that loops must fail fast, not at the time limit.
        ASSERT_EQ(count("f.txt"), c.f) << label;
        ASSERT_EQ(count("g.txt"), c.g) << label;
        ASSERT_EQ(count("outside.txt"), c.outside) << label;
    }
}
