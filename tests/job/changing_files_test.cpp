// Files that change under a running search: no crash, no hang, and the counts the search
// defines for what it finds when it gets there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>

#include "engine/content_matcher.h"
#include "job/search_job.h"
#include "results/result_format.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace fs = std::filesystem;

namespace {

void Append(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::app) << text;
}

// Searches tree for "needle"; returns the final status text.
std::string Search(const TempTree& tree, SearchState& state, RecordingView& view) {
    view.searchText = "needle";
    view.folders = {tree.Root()};
    RunSearchJob(state, view);
    for (auto call = view.calls.rbegin(); call != view.calls.rend(); ++call) {
        if (call->rfind("status ", 0) == 0) {
            return call->substr(7);
        }
    }
    return "";
}

}  // namespace

TEST(ChangingFiles, FilesChangedBetweenWalkAndScanCountAsTheyAreThen) {
    const std::string chunk(READ_CHUNK_SIZE, '.');
    const auto replace = [](const std::string& text) {
        return [text](const fs::path& p) {  // a new file under the old name, as editors save
            fs::remove(p);
            Append(p, text);
        };
    };
    const struct {
        std::string name, content;  // at the walk
        std::function<void(const fs::path&)> change;
    } cases[] = {
        {"deleted", "a needle", [](const fs::path& p) { fs::remove(p); }},
        {"truncated", "a needle", [](const fs::path& p) { fs::resize_file(p, 4); }},
        {"emptied", "needle", [](const fs::path& p) { fs::resize_file(p, 0); }},
        // Read on to the end of the chunk in which the size the walk saw is reached.
        {"grown", "xxxxxxx", [](const fs::path& p) { Append(p, "needle"); }},
        {"grown-far", chunk + chunk, [&](const fs::path& p) { Append(p, chunk + "needle"); }},
        {"replaced", "nothing", replace("a needle")},
        {"replaced-bare", "a needle", replace("bare")},
    };
    TempTree tree;
    for (const auto& c : cases) {
        tree.AddFile(c.name, c.content);
    }
    SearchState state;
    RecordingView view;
    view.onCall = [&](const std::string& call) {
        for (const auto& c : cases) {
            if (call == "range 0 100") {  // the walk is over, no file is read yet
                c.change(tree.Path(c.name));
            }
        }
    };
    EXPECT_EQ(Search(tree, state, view), "Files searched: 7, Files found: 2, Unaccessable: 1");
    std::set<std::string> found;  // with the sizes the walk saw
    for (const FileEntry* row : view.rows) {
        found.insert(row->name + " " + std::to_string(row->size));
    }
    EXPECT_EQ(found, (std::set<std::string>{"grown 7", "replaced 7"}));
}

TEST(ChangingFiles, AFolderDeletedBeforeTheWalkReachesItIsSkipped) {
    TempTree tree;
    for (const char* file : {"one/a", "one/sub/b", "two/c", "two/sub/d"}) {
        tree.AddFile(file, "needle");
    }
    SearchState state;
    RecordingView view;
    state.statusDueFlag = 1;  // the first file met writes a text: the other folder goes then
    view.onCall = [&](const std::string& call) {
        if (call.rfind("status Building File List...", 0) == 0) {
            fs::remove_all(tree.Path(state.fileList.back().name < "c" ? "two" : "one"));
        }
    };
    EXPECT_EQ(Search(tree, state, view), "Files searched: 2, Files found: 2, Unaccessable: 0");
}

// Costs seconds: scripts/slow-checks.sh runs it.
TEST(ChangingFiles, DISABLED_FiveGiBSparseFileIsFoundByItsLastBytes) {
    TempTree tree;
    const std::int64_t size = 5LL << 30;
    fs::resize_file(tree.AddFile("big", ""), static_cast<std::uintmax_t>(size) - 6);
    Append(tree.Path("big"), "needle");
    SearchState state;
    RecordingView view;
    EXPECT_EQ(Search(tree, state, view), "Files searched: 1, Files found: 1, Unaccessable: 0");
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0]->size, size);
    EXPECT_EQ(FormatFileSize(static_cast<double>(view.rows[0]->size)), "5.00 GB");
}
