#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/recording_view.h"

using Records = std::vector<std::pair<std::uint64_t, std::string>>;  // time, name

class OrderingTest : public ::testing::Test {
  protected:
    // Sorts the records and returns them in their new order. A tick falls before the first
    // comparison; a test's view.onCall may give more.
    Records Sort(const Records& records) {
        state.resultSet.clear();
        for (const auto& [time, name] : records) {
            state.resultSet.push_back({time, 1, "/" + name, name});
        }
        view.calls.clear();
        state.statusDueFlag = 1;
        SortResultsByDate(0, static_cast<int>(records.size()), state, view);
        Records sorted;
        for (const FileEntry& e : state.resultSet) {
            EXPECT_EQ(e.fullPath, "/" + e.name);  // records move whole
            sorted.emplace_back(e.lastWriteTime, e.name);
        }
        return sorted;
    }

    SearchState state;
    RecordingView view;
    const Records ascending = {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}, {6, "f"}};
};

static const std::uint64_t kTop = 1ULL << 63;  // compared unsigned

TEST_F(OrderingTest, WorkedExamples) {
    // Equal times are never exchanged.
    view.onCall = [this](const std::string&) { state.statusDueFlag = 1; };
    const Records cases[][2] = {{{{5, "x"}, {5, "y"}}, {{5, "x"}, {5, "y"}}},
                                {{{2, "a"}, {2, "b"}, {3, "c"}}, {{3, "c"}, {2, "b"}, {2, "a"}}},
                                {{{1, "old"}, {kTop, "new"}}, {{kTop, "new"}, {1, "old"}}},
                                {{}, {}},
                                {{{1, "only"}}, {{1, "only"}}}};
    for (const auto& c : cases) {
        EXPECT_EQ(Sort(c[0]), c[1]) << c[0].size() << " records";
    }
    // A text and a bar position after each of the 15 comparisons; the bar's position is cut.
    EXPECT_EQ(Sort(ascending),
              (Records{{6, "f"}, {5, "e"}, {4, "d"}, {3, "c"}, {2, "b"}, {1, "a"}}));
    EXPECT_EQ(view.calls.size(), 30u);
    EXPECT_EQ(view.calls[0], "status Sorting Results... 6.67");
    EXPECT_EQ(view.calls[1], "pos 6");
    EXPECT_EQ(view.calls.back(), "pos 100");
}

TEST_F(OrderingTest, StopIsTestedBeforeEveryComparison) {
    state.stopFlag = 1;
    EXPECT_EQ(Sort(ascending), ascending);
    EXPECT_TRUE(view.calls.empty());
    // Stop after the third comparison: the first pivot has taken each newer record in turn.
    state.stopFlag = 0;
    view.onCall = [this](const std::string&) {
        state.statusDueFlag = 1;
        if (view.calls.size() == 6) {
            state.stopFlag = 1;
        }
    };
    EXPECT_EQ(Sort(ascending),
              (Records{{4, "d"}, {1, "a"}, {2, "b"}, {3, "c"}, {5, "e"}, {6, "f"}}));
    EXPECT_EQ(view.calls.size(), 6u);
}
