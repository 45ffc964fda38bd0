#include "job/search_job.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {

using Calls = std::vector<std::string>;

class SearchJobTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.searchText = "needle";
        view.folders = {tree.Root()};
    }

    // Five files that all hold the text, written oldest first (f0 oldest).
    void FiveMatchingFiles() {
        for (int i = 0; i < 5; ++i) {
            const std::string name = "f" + std::to_string(i) + ".txt";
            tree.AddFile(name, "a needle here");
            tree.SetWriteTime(name, FileTimeFromUtc(2020, 1, 1 + i, 0, 0));
        }
    }

    std::vector<std::string> RowNames() const {
        std::vector<std::string> names;
        for (const FileEntry* e : view.rows) {
            names.push_back(e->name);
        }
        return names;
    }

    // The calls recorded from the first one that starts with prefix.
    Calls From(const std::string& prefix) const {
        for (std::size_t i = 0; i < view.calls.size(); ++i) {
            if (view.calls[i].rfind(prefix, 0) == 0) {
                return Calls(view.calls.begin() + static_cast<long>(i), view.calls.end());
            }
        }
        return {};
    }

    TempTree tree;
    SearchState state;
    RecordingView view;
};

}  // namespace

TEST_F(SearchJobTest, CompleteSearchReportsEachPhaseAndListsNewestFirst) {
    tree.AddFile("old.txt", "needle, old");
    tree.SetWriteTime("old.txt", FileTimeFromUtc(2020, 1, 1, 0, 0));
    tree.AddFile("sub/new.txt", "the NEEDLE is new");
    tree.SetWriteTime("sub/new.txt", FileTimeFromUtc(2024, 1, 1, 0, 0));
    tree.AddFile("none.txt", "nothing here");
    tree.AddFile("gone.txt", "needle, but removed before it is read");
    tree.AddFile("short.txt", "nee");  // shorter than the text: passed over, not counted
    view.onCall = [&](const std::string& call) {
        if (call == "range 0 100") {
            std::filesystem::remove(tree.Path("gone.txt"));
        }
    };
    RunSearchJob(state, view);

    EXPECT_EQ(RowNames(), (std::vector<std::string>{"new.txt", "old.txt"}));
    EXPECT_EQ(view.calls,
              (Calls{"read filter", "read match case", "read text", "marquee on", "clear results",
                     "status Building File Search List...", "range 0 100", "pos 0",
                     "status Populating List...", "row new.txt", "row old.txt",
                     "status Files searched: 5, Files found: 2, Unaccessable: 1", "pos 100"}));
    EXPECT_EQ(state.fileList.size(), 5u);
    EXPECT_EQ(state.resultSet.size(), 2u);
    EXPECT_EQ(view.rows[0], &state.resultSet[0]);  // rows point into the result set
}

TEST_F(SearchJobTest, MatchCaseAndFilterAreTakenFromTheInputs) {
    tree.AddFile("a.txt", "needle");
    tree.AddFile("b.TXT", "NEEDLE");
    tree.AddFile("c.log", "needle");
    view.extensionFilter = ".txt";
    view.matchCase = true;
    RunSearchJob(state, view);
    EXPECT_EQ(RowNames(), std::vector<std::string>{"a.txt"});
    EXPECT_EQ(view.StatusTexts().back(), "Files searched: 2, Files found: 1, Unaccessable: 0");
    EXPECT_STREQ(state.settings.extensionFilter, ".txt");
    EXPECT_EQ(state.settings.searchTextLength, 6u);
}

TEST_F(SearchJobTest, EmptyTextOrNoFoldersLeaveThePreviousResults) {
    FiveMatchingFiles();
    RunSearchJob(state, view);
    ASSERT_EQ(state.resultSet.size(), 5u);

    view.calls.clear();
    view.searchText = "";
    RunSearchJob(state, view);
    EXPECT_EQ(view.calls, (Calls{"read filter", "read match case", "read text"}));

    view.calls.clear();
    view.searchText = "needle";
    view.folders.clear();
    RunSearchJob(state, view);
    EXPECT_EQ(view.calls,
              (Calls{"read filter", "read match case", "read text", "marquee on", "marquee off"}));
    EXPECT_EQ(state.resultSet.size(), 5u);
    EXPECT_EQ(view.rows.size(), 5u);
}

TEST_F(SearchJobTest, NoCandidateFilesEndsWithoutAFinalText) {
    tree.AddFolder("empty/inside");
    tree.AddFile("zero.txt", "");
    RunSearchJob(state, view);
    EXPECT_EQ(From("status"),
              (Calls{"status Building File Search List...", "range 0 100", "pos 0"}));
}

TEST_F(SearchJobTest, StopDuringTheWalkEndsWithTheWalksText) {
    FiveMatchingFiles();
    state.statusDueFlag = 1;  // a tick left over from before lets the walk write at once
    view.onStatus = [&](const std::string& text) {
        if (text.rfind("Building File List...", 0) == 0) {
            state.stopFlag = 1;
        }
    };
    RunSearchJob(state, view);
    EXPECT_EQ(From("status Building File List"),
              (Calls{"status Building File List... 1", "range 0 100", "pos 0"}));
    EXPECT_TRUE(state.resultSet.empty());
    EXPECT_TRUE(view.rows.empty());
}

TEST_F(SearchJobTest, StopDuringTheContentPhaseListsWhatWasFoundAndCountsFilesReached) {
    FiveMatchingFiles();
    view.onCall = [&](const std::string& call) {
        if (call == "range 0 100") {
            state.statusDueFlag = 1;
        }
    };
    view.onStatus = [&](const std::string& text) {
        if (text.rfind("[", 0) == 0) {
            state.stopFlag = 1;  // Stop pressed while the first per-file text shows
        }
    };
    RunSearchJob(state, view);
    // The text after file 0; file 1 was being read when Stop came.
    const std::string first = "[0.00%] Searching file 0 of 5, Files found: 1, Unaccessable: 0";
    EXPECT_EQ(From("status ["),
              (Calls{"status " + first, "pos 0", "status Populating List...",
                     "row " + state.fileList[0].name, "row " + state.fileList[1].name,
                     "status Files searched: 2, Files found: 2, Unaccessable: 0", "pos 100"}));
}

TEST_F(SearchJobTest, StopDuringTheOrderingStillListsEveryResult) {
    FiveMatchingFiles();
    // A tick is due at every step once the walk is over.
    view.onCall = [&](const std::string&) { state.statusDueFlag = state.fileList.empty() ? 0 : 1; };
    view.onStatus = [&](const std::string& text) {
        if (text.rfind("Sorting Results...", 0) == 0) {
            state.stopFlag = 1;
        }
    };
    RunSearchJob(state, view);
    // One comparison was made: the first two of the walk's order, newer first.
    std::vector<std::string> expected;
    for (const FileEntry& e : state.fileList) {
        expected.push_back(e.name);
    }
    if (state.fileList[1].lastWriteTime > state.fileList[0].lastWriteTime) {
        std::swap(expected[0], expected[1]);
    }
    EXPECT_EQ(RowNames(), expected);
    EXPECT_EQ(view.StatusTexts().back(), "Files searched: 5, Files found: 5, Unaccessable: 0");
    EXPECT_EQ(view.calls.back(), "pos 100");
}

TEST_F(SearchJobTest, PopulationTextsCountRowsFromZeroAndStopChangesNothing) {
    FiveMatchingFiles();
    view.onCall = [&](const std::string& call) {
        if (call == "status Populating List...") {
            state.statusDueFlag = 1;
            state.stopFlag = 1;
        }
    };
    RunSearchJob(state, view);
    EXPECT_EQ(From("status Populating List..."),
              (Calls{"status Populating List...", "row f4.txt", "status Populating List... 0 of 5",
                     "pos 0", "row f3.txt", "row f2.txt", "row f1.txt", "row f0.txt",
                     "status Files searched: 5, Files found: 5, Unaccessable: 0", "pos 100"}));
}

TEST_F(SearchJobTest, WorkerDisablesInputsAroundTheJobAndClearsStop) {
    FiveMatchingFiles();
    state.stopFlag = 1;  // Stop pressed while idle: the next search clears it
    RunSearchWorker(state, view);
    EXPECT_EQ(view.calls.front(), "inputs off");
    EXPECT_EQ(view.calls[1], "tick on");
    EXPECT_EQ(view.calls[view.calls.size() - 2], "tick off");
    EXPECT_EQ(view.calls.back(), "inputs on");
    EXPECT_EQ(view.rows.size(), 5u);
    EXPECT_EQ(state.stopFlag.load(), 0u);
}
