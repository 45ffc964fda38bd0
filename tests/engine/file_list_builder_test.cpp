// The walk: which files it lists, and trees that change shape under it (links back into the
// searched tree or above it, a folder deleted before the walk reaches it).
#include "engine/file_list_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <tuple>

#include "os/fs_redirection.h"
#include "os/path.h"
#include "os/read_only_file.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>

#include "os/win32/wide_path.h"
#endif

using Names = std::vector<std::string>;

namespace {

// Under Wine, Win32 can neither make a folder link nor remove one (that removes its target),
// though it lists one as a folder reparse point (0x410): ln and rm do it on the Unix side.
class LinkedTree : public TempTree {
  public:
#ifdef _WIN32
    ~LinkedTree() {
        Unix("/bin/rm -rf ../" + std::filesystem::path(Root()).filename().string(), "",
             INVALID_FILE_ATTRIBUTES);
    }
    // Runs command in the root. Wine can't wait for a Unix process: this waits for the path
    // made or removed to take the attributes.
    bool Unix(const std::string& command, const std::string& relative, DWORD attributes) const {
        std::wstring path;
        os::LongPath(Path(relative).string(), path);
        SetCurrentDirectoryA(Root().c_str());
        WinExec(command.c_str(), SW_HIDE);
        for (int i = 0; i < 500 && GetFileAttributesW(path.c_str()) != attributes; ++i) {
            Sleep(10);
        }
        return GetFileAttributesW(path.c_str()) == attributes;
    }
#else
    bool Unix(const std::string& command, const std::string&, unsigned) const {
        return std::system(("cd '" + Root() + "' && " + command).c_str()) == 0;
    }
#endif
};

// Sorted names of the files the walk of folder lists.
Names Walk(const std::string& folder, SearchState& state, RecordingView& view) {
    state.fileList.clear();
    BuildFileList(folder, state, view);
    Names names;
    for (std::size_t i = 0; i < state.fileList.size(); ++i) {
        names.emplace_back(state.fileList.Name(state.fileList[i]));
    }
    std::sort(names.begin(), names.end());
    return names;
}

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

// Names as users have them: dots anywhere, spaces, any case; hidden and system ones. The
// filter leaves out Makefile but not the folder sub.dir.
TEST(Walk, ListsEveryNonEmptyFileThatPassesUntilStop) {
    TempTree tree;
    for (const char* name :
         {"a.txt", "B.Txt", "Makefile", ".profile.txt", "..two.txt", "long name here.txt",
          "sub.dir/c.txt", "sub.dir/deeper/d.TXT", ".cfg/e.txt", "a b/f.txt"}) {
        tree.AddFile(name, "12345");
    }
    tree.AddFile("empty.txt", "");
#ifdef _WIN32
    for (const char* name : {"a.txt", "sub.dir"}) {
        SetFileAttributesA(tree.Path(name).string().c_str(),
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    }
#endif
    SearchState state;
    RecordingView view;
    std::snprintf(state.settings.extensionFilter, kTextBufferSize, ".TXT");
    EXPECT_EQ(Walk(tree.Root(), state, view),
              (Names{"..two.txt", ".profile.txt", "B.Txt", "a.txt", "c.txt", "d.TXT", "e.txt",
                     "f.txt", "long name here.txt"}));
    state.stopFlag = 1;
    EXPECT_TRUE(Walk(tree.Root(), state, view).empty());
}

using Links = std::vector<std::pair<std::string, std::string>>;

int lookups = 0;

TEST(WalkLoops, EachFolderIsWalkedOnceWhateverLinksLeadToIt) {
    Links chain, siblings;          // without the guard 2^16 and about e * 8! walks
    for (int i = 0; i < 16; ++i) {  // c0..c16, each with two links to the next
        for (const char* link : {"/l0", "/l1"}) {
            chain.emplace_back("c" + std::to_string(i) + link, "../c" + std::to_string(i + 1));
        }
    }
    for (int i = 0; i < 64; ++i) {  // n0..n7, each with a link to each of the others
        if (i / 8 != i % 8) {
            siblings.emplace_back("n" + std::to_string(i / 8) + "/l" + std::to_string(i % 8),
                                  "../n" + std::to_string(i % 8));
        }
    }
    std::string deep = "D", up;
    for (int i = 0; i < 20; ++i) {
        deep += "/folder-" + std::to_string(100000 + i);  // about 300 characters in all
    }
    // From the deep folder to its drive's root: under Wine C:, which Z: holds too.
    for (const char c : TempTree().Root() + "/" + deep) {
        up += c == '/' || c == os::kPathSeparator ? "../" : "";
    }
    struct Case {
        std::vector<std::string> searched;
        Links links;
        std::size_t listed;  // each file once: a folder walked again lists more
        int lookups;         // a search folder, or a link entered: never an ordinary folder
    } cases[] = {
        {{"S"}, {{"S/self", "."}, {"S/up", ".."}}, 2, 3},
        {{"S"}, {{"S/a/top", "../.."}}, 2, 2},                  // above the search folder
        {{"S"}, {{"S/l", "a/c"}, {"S/a/c/up", ".."}}, 2, 3},    // inside it
        {{"S"}, {{"S/l1", "../X/Y"}, {"S/l2", "../X"}}, 4, 3},  // met in either order
        {{"S"}, {{"S/l1", "../X"}, {"S/l2", "../X/Y"}}, 4, 3},
        {{"S", "X"}, {{"S/l", "../X/Y"}}, 4, 3},  // inside the next one
        {{"X", "L"}, {{"L", "X"}}, 2, 2},         // one folder, two texts
        {{deep}, {{deep + "/root", up}}, 1, 2},
        {{"c0"}, chain, 17, 1 + 16 * 2},
        {{"n0"}, siblings, 8, 1 + 8 * 7},
    };
    for (auto& [searched, links, listed, expected] : cases) {
        LinkedTree tree;
        for (const std::string& file :
             Names{"outside", "S/f", "S/a/c/g", "X/x", "X/Y/y", deep + "/d"}) {
            tree.AddFile(file, "x");
        }
        const char kind = searched[0][0];  // the graphs' files
        for (int i = 0; i <= (kind == 'c' ? 16 : kind == 'n' ? 7 : -1); ++i) {
            tree.AddFile(kind + std::to_string(i) + "/" + kind + std::to_string(i), "x");
        }
        for (const auto& [link, target] : links) {
            EXPECT_TRUE(tree.Unix("/bin/ln -s " + target + " " + link, link, 0x410))
                << "no link at " << link << " within 5 s";
        }
        SearchState state;
        RecordingView view;
        // A broken guard may walk the whole disk: the walk stops after 100 files.
        state.statusDueFlag = 1;
        view.onCall = [&](const std::string&) {
            (state.fileList.size() < 100 ? state.statusDueFlag : state.stopFlag) = 1;
        };
        std::vector<std::string> folders;
        for (const std::string& folder : searched) {
            folders.push_back(tree.Path(folder).make_preferred().string());
        }
        lookups = 0;
        FolderLoopGuard guard(folders, [](const std::string& folder, std::string& finalPath) {
            ++lookups;
            return os::IdentifyFolder(folder, finalPath);
        });
        FolderPrefetch prefetch(3, kFoldersAhead, state.stopFlag);  // links fetched ahead
        for (const std::string& folder : folders) {
            BuildFileList(folder, state, view, guard, prefetch);
        }
        EXPECT_EQ(state.fileList.size(), listed) << links.back().first;
        EXPECT_EQ(lookups, expected) << links.back().first;
    }
}

TEST(Walk, AFolderDeletedBeforeTheWalkReachesItIsSkipped) {
    TempTree tree;
    for (const char* file : {"x/one/a", "x/one/sub/b", "x/two/c", "x/two/sub/d"}) {
        tree.AddFile(file, "x");
    }
    SearchState state;
    RecordingView view;
    state.statusDueFlag = 1;  // the first file met writes a text: the other folder goes then
    view.onCall = [&](const std::string&) {
        std::filesystem::remove_all(
            tree.Path(state.fileList.Name(state.fileList[0]) < "c" ? "x/two" : "x/one"));
    };
    EXPECT_EQ(Walk(tree.Path("x").string(), state, view).size(), 2u);
}

// Names outside any code page and paths past 260 characters, made on the Unix side: listed with
// their exact UTF-8 paths, and opened.
TEST(WalkNames, EveryNameAndLengthIsListedAndOpened) {
    LinkedTree tree;
    const std::string longName(240, 'n');
    const std::string longFolder = "long/" + std::string(120, 'a') + "/" + std::string(120, 'b');
    const Names made = {"目录/文件.txt", "Отчёт.txt", "note😀.txt", "short/" + longName,
                        longFolder + "/c.txt"};
    std::string script = "mkdir -p 目录 short " + longFolder;
    for (const std::string& name : made) {
        script += " && printf hit > " + name;
    }
    tree.AddFile("make.sh", script + " && mkdir done\n");
    ASSERT_TRUE(tree.Unix("/bin/sh make.sh", "done", 0x10)) << "the Unix side made no tree";
    std::set<std::string> expected, listed;
    for (std::string name : made) {
        std::replace(name.begin(), name.end(), '/', os::kPathSeparator);
        expected.insert(tree.Root() + os::kPathSeparator + name);
    }
    SearchState state;
    RecordingView view;
    BuildFileList(tree.Root(), state, view);
    for (std::size_t i = 0; i < state.fileList.size(); ++i) {
        char text[4] = {};
        const std::string path = state.fileList.FullPath(state.fileList[i]);
        os::ReadOnlyFile file(path);
        if (path.find("make.sh") == std::string::npos && file.Read(text, 3) == 3 &&
            std::string(text) == "hit") {
            listed.insert(path);
        }
    }
    EXPECT_EQ(listed, expected);
}

// Every file's full path, in the order the walk lists them, with listers ahead of it or none.
static Names WalkInOrder(const std::string& folder, unsigned listers, std::size_t ahead) {
    SearchState state;
    RecordingView view;
    FolderLoopGuard guard({folder});
    os::FsRedirection().WithRedirectionOff([&] {  // as the search does
        FolderPrefetch prefetch(listers, ahead, state.stopFlag);
        BuildFileList(folder, state, view, guard, prefetch);
    });
    Names paths;
    for (std::size_t i = 0; i < state.fileList.size(); ++i) {
        paths.push_back(state.fileList.FullPath(state.fileList[i]));
    }
    return paths;
}

// Listers ahead, however many and however far, leave the one-thread walk's list exactly, on
// generated trees whose links lead up, across, down and round: a listing fetched ahead for a
// link the guard refuses is dropped. On Windows the system's folder too, whose system32 a 32-bit
// program sees redirected unless each lister switches that off as the walk does.
TEST(WalkFuzz, ListersAheadListExactlyWhatTheWalkAloneLists) {
    std::mt19937 rng(static_cast<unsigned>(
        std::strtoul(std::getenv("SCOURWELL_FUZZ_SEED") ? std::getenv("SCOURWELL_FUZZ_SEED") : "7",
                     nullptr, 10)));
    for (int round = 0; round < 12; ++round) {
        LinkedTree tree;
        Names folders = {"r"};
        std::string links;
        for (int i = 1; i < 40; ++i) {
            folders.push_back(folders[rng() % folders.size()] + "/d" + std::to_string(i));
            tree.AddFolder(folders.back());
            for (unsigned f = rng() % 4; f-- > 0;) {
                tree.AddFile(folders.back() + "/f" + std::to_string(f) + ".txt", "x");
            }
        }
        for (int i = 0; i < 6; ++i) {  // each from the root, to any folder
            links += "ln -s \"$PWD/" + folders[rng() % folders.size()] + "\" " +
                     folders[rng() % folders.size()] + "/l" + std::to_string(i) + "; ";
        }
        tree.AddFile("make.sh", links + "mkdir done\n");
        ASSERT_TRUE(tree.Unix("/bin/sh make.sh", "done", 0x10)) << "no links within 5 s";
        const std::string root = tree.Path("r").make_preferred().string();
        const Names alone = WalkInOrder(root, 0, 0);
        for (const auto& [listers, ahead] : {std::pair<unsigned, std::size_t>{3, 256}, {2, 3}}) {
            EXPECT_EQ(WalkInOrder(root, listers, ahead), alone) << round << ": " << links;
        }
    }
#ifdef _WIN32
    char windows[MAX_PATH];  // its system32 is listed ahead
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(WalkInOrder(windows, 3, 256), WalkInOrder(windows, 0, 0));
#endif
}
