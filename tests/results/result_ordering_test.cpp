#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/recording_view.h"

namespace {

using Records = std::vector<std::pair<std::uint64_t, std::string>>;  // time, name

class OrderingTest : public ::testing::Test {
  protected:
    // Sorts the records and returns them in their new order. A tick falls before every
    // comparison when tickEach is set, else before the first only; Stop is pressed while the
    // stopAtText-th text shows.
    Records Sort(const Records& records, bool tickEach = true, std::size_t stopAtText = 0) {
        state.resultSet.clear();
        for (const auto& [time, name] : records) {
            state.resultSet.push_back({time, 1, "/" + name, name});
        }
        view.calls.clear();
        state.statusDueFlag = 1;
        std::size_t texts = 0;
        view.onCall = [&](const std::string& call) {
            if (tickEach) {
                state.statusDueFlag = 1;
            }
            if (call.rfind("status", 0) == 0 && ++texts == stopAtText) {
                state.stopFlag = 1;
            }
        };
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
};

const std::uint64_t kTop = 1ULL << 63;  // compared unsigned

}  // namespace

TEST_F(OrderingTest, WorkedExamples) {
    // Equal times are never exchanged; an already descending set makes no exchange.
    const Records cases[][2] = {{{{5, "x"}, {5, "y"}}, {{5, "x"}, {5, "y"}}},
                                {{{2, "a"}, {2, "b"}, {3, "c"}}, {{3, "c"}, {2, "b"}, {2, "a"}}},
                                {{{1, "old"}, {kTop, "new"}}, {{kTop, "new"}, {1, "old"}}},
                                {{{9, "a"}, {7, "b"}, {7, "c"}, {4, "d"}, {1, "e"}},
                                 {{9, "a"}, {7, "b"}, {7, "c"}, {4, "d"}, {1, "e"}}},
                                {{}, {}},
                                {{{1, "only"}}, {{1, "only"}}}};
    for (const auto& c : cases) {
        EXPECT_EQ(Sort(c[0]), c[1]) << c[0].size() << " records";
    }
}

TEST_F(OrderingTest, RandomInputsEndDescendingWithTheSameRecordsAndATextPerComparison) {
    std::mt19937_64 rng(11);
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        Records records(rng() % 40);
        const std::uint64_t distinct = 1 + rng() % 4;  // many ties
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = {rng() % distinct | (rng() & kTop), "r" + std::to_string(i)};
        }
        Records sorted = Sort(records);
        EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(),
                                   [](const auto& a, const auto& b) { return a.first > b.first; }));
        const std::size_t n = records.size();
        // A text and a bar position after each of the n(n-1)/2 comparisons.
        EXPECT_EQ(view.calls.size(), n * (n - 1));
        EXPECT_TRUE(n < 2 || view.calls.back() == "pos 100");
        std::sort(records.begin(), records.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, records);
    }
}

TEST_F(OrderingTest, OneTickAllowsOneText) {
    Sort({{7, "a"}, {6, "b"}, {5, "c"}, {4, "d"}, {3, "e"}, {2, "f"}, {1, "g"}}, false);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"status Sorting Results... 4.76", "pos 4"}));
}

TEST_F(OrderingTest, StopIsTestedBeforeEveryComparison) {
    const Records ascending = {{1, "a"}, {2, "b"}, {3, "c"}, {4, "d"}, {5, "e"}, {6, "f"}};
    state.stopFlag = 1;
    EXPECT_EQ(Sort(ascending), ascending);
    EXPECT_TRUE(view.calls.empty());
    for (std::size_t k = 1; k < 15; ++k) {
        state.stopFlag = 0;
        Sort(ascending, true, k);
        EXPECT_EQ(view.calls.size(), 2 * k) << "Stop during text " << k;
    }
    // After three comparisons the first pivot has taken each newer record in turn.
    state.stopFlag = 0;
    EXPECT_EQ(Sort(ascending, true, 3),
              (Records{{4, "d"}, {1, "a"}, {2, "b"}, {3, "c"}, {5, "e"}, {6, "f"}}));
}
