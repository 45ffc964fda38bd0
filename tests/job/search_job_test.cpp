#include "job/search_job.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {

using Calls = std::vector<std::string>;

// Five folders of one matching file each, so the walk's order is the folders' order; f0 is
// the oldest. The sixth holds only misses: Match Case is on and only .txt files count.
class SearchJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 5; ++i) {
            const std::string name = "d" + std::to_string(i) + "/f" + std::to_string(i) + ".txt";
            tree.AddFile(name, "a needle here");
            tree.SetWriteTime(name, FileTimeFromUtc(2020, 1, 1 + i, 0, 0));
            view.folders.push_back(tree.Path("d" + std::to_string(i)).string());
        }
        tree.AddFile("d5/upper.txt", "NEEDLE");
        tree.AddFile("d5/other.log", "needle");
        view.folders.push_back(tree.Path("d5").string());
        tree.AddFile("none/empty.txt", "");
        view.searchText = "needle";
        view.extensionFilter = ".txt";
        view.matchCase = true;
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

}  // namespace

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
// pressed at the first call that starts with stopAt; the last calls are compared. Stop while
// the contents are read is the pool test's. The worker clears a Stop left from before.
TEST_F(SearchJobTest, CompleteSearchOrStopInEachPhaseAndTheWorkerClearsStopAfterwards) {
    const struct {
        const char *tickFrom, *stopAt;
        Calls tail;
    } cases[] = {
        {"-",
         "-",
         {"inputs off", "tick on", "marquee on", "clear results",
          "status Building File Search List...", "range 0 100", "pos 0",
          "status Populating List...", "row f4.txt", "row f3.txt", "row f2.txt", "row f1.txt",
          "row f0.txt", "status Files searched: 6, Files found: 5, Unaccessable: 0", "pos 100",
          "tick off", "inputs on"}},
        {"status Building File Search List...",
         "status Building File List",
         {"status Building File List... 1", "range 0 100", "pos 0", "tick off", "inputs on"}},
        // One comparison made: the first two exchanged.
        {"range 0 100",
         "status Sorting Results",
         {"status Sorting Results... 10.00", "pos 10", "status Populating List...", "row f1.txt",
          "row f0.txt", "row f2.txt", "row f3.txt", "row f4.txt",
          "status Files searched: 6, Files found: 5, Unaccessable: 0", "pos 100", "tick off",
          "inputs on"}},
        {"status Populating List...",
         "status Populating List... ",
         {"status Populating List... 0 of 5", "pos 0", "row f3.txt", "row f2.txt", "row f1.txt",
          "row f0.txt", "status Files searched: 6, Files found: 5, Unaccessable: 0", "pos 100",
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
        state.stopFlag = 1;
        RunSearchWorker(state, view);
        ASSERT_GE(view.calls.size(), c.tail.size());
        EXPECT_EQ(Calls(view.calls.end() - c.tail.size(), view.calls.end()), c.tail);
        EXPECT_EQ(state.stopFlag.load(), 0u);
    }
}
