#include "job/search_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {

using Calls = std::vector<std::string>;

// Five folders of one matching file each, so the walk's order is the folders' order; f0 is
// the oldest. The sixth folder holds no candidate.
class SearchJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 5; ++i) {
            const std::string name = "d" + std::to_string(i) + "/f" + std::to_string(i) + ".txt";
            tree.AddFile(name, "a needle here");
            tree.SetWriteTime(name, FileTimeFromUtc(2020, 1, 1 + i, 0, 0));
            view.folders.push_back(tree.Path("d" + std::to_string(i)).string());
        }
        tree.AddFile("none/empty.txt", "");
        view.searchText = "needle";
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

}  // namespace

TEST_F(SearchJobTest, CompleteSearchListsNewestFirstAndCountsEveryListedFile) {
    tree.AddFile("d5/upper.txt", "NEEDLE");  // Match Case is on
    tree.AddFile("d5/gone.txt", "needle");   // removed before it is read: unaccessible
    tree.AddFile("d5/short.txt", "nee");     // shorter than the text: listed, never opened
    tree.AddFile("d5/other.log", "needle");  // filtered out
    view.folders.push_back(tree.Path("d5").string());
    view.extensionFilter = ".txt";
    view.matchCase = true;
    view.onCall = [&](const std::string& call) {
        if (call == "range 0 100") {
            std::filesystem::remove(tree.Path("d5/gone.txt"));
        }
    };
    state.stopFlag = 1;  // left from before: the worker clears it
    RunSearchWorker(state, view);
    EXPECT_EQ(view.calls, (Calls{"inputs off", "tick on", "marquee on", "clear results",
                                 "status Building File Search List...", "range 0 100", "pos 0",
                                 "status Populating List...", "row f4.txt", "row f3.txt",
                                 "row f2.txt", "row f1.txt", "row f0.txt",
                                 "status Files searched: 8, Files found: 5, Unaccessable: 1",
                                 "pos 100", "tick off", "inputs on"}));
    EXPECT_EQ(view.rows.at(0), &state.resultSet[0]);  // rows point into the result set
}

// The results of the search before stay unless the walk starts.
TEST_F(SearchJobTest, JobsThatEndBeforeTheContentPhaseWriteNoFinalText) {
    const struct {
        std::string text;
        std::vector<std::string> folders;
        Calls calls;
        std::size_t resultsLeft;
    } cases[] = {{"", view.folders, {}, 1},
                 {"needle", {}, {"marquee on", "marquee off"}, 1},
                 {"needle",
                  {tree.Path("none").string()},
                  {"marquee on", "clear results", "status Building File Search List...",
                   "range 0 100", "pos 0"},
                  0}};
    for (const auto& c : cases) {
        view.calls.clear();
        view.searchText = c.text;
        view.folders = c.folders;
        state.resultSet = {FileEntry{}};
        RunSearchJob(state, view);
        EXPECT_EQ(view.calls, c.calls);
        EXPECT_EQ(state.resultSet.size(), c.resultsLeft);
    }
}

// A tick falls before every call from the first one that starts with tickFrom until Stop is
// pressed at the first call that starts with stopAt; the last calls are compared.
TEST_F(SearchJobTest, StopInEachPhaseAndTheWorkerClearsItAfterwards) {
    const struct {
        const char *tickFrom, *stopAt;
        Calls tail;
    } cases[] = {
        {"status Building File Search List...",
         "status Building File List",
         {"status Building File List... 1", "range 0 100", "pos 0", "tick off", "inputs on"}},
        // File 1 was being read when Stop came: it counts as searched.
        {"range 0 100",
         "status [",
         {"status [0.00%] Searching file 0 of 5, Files found: 1, Unaccessable: 0", "pos 0",
          "status Populating List...", "row f0.txt", "row f1.txt",
          "status Files searched: 2, Files found: 2, Unaccessable: 0", "pos 100", "tick off",
          "inputs on"}},
        // One comparison made: the first two exchanged.
        {"range 0 100",
         "status Sorting Results",
         {"status Sorting Results... 10.00", "pos 10", "status Populating List...", "row f1.txt",
          "row f0.txt", "row f2.txt", "row f3.txt", "row f4.txt",
          "status Files searched: 5, Files found: 5, Unaccessable: 0", "pos 100", "tick off",
          "inputs on"}},
        {"status Populating List...",
         "status Populating List... ",
         {"status Populating List... 0 of 5", "pos 0", "row f3.txt", "row f2.txt", "row f1.txt",
          "row f0.txt", "status Files searched: 5, Files found: 5, Unaccessable: 0", "pos 100",
          "tick off", "inputs on"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stopAt);
        view.calls = {};
        bool ticking = false;
        view.onCall = [&](const std::string& call) {
            ticking = ticking || call.rfind(c.tickFrom, 0) == 0;
            if (call.rfind(c.stopAt, 0) == 0) {
                state.stopFlag = 1;
                state.statusDueFlag = 0;
                ticking = false;
            }
            if (ticking) {
                state.statusDueFlag = 1;
            }
        };
        RunSearchWorker(state, view);
        EXPECT_EQ(Calls(view.calls.end() - c.tail.size(), view.calls.end()), c.tail);
        EXPECT_EQ(state.stopFlag.load(), 0u);
    }
}
