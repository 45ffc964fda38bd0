#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tests/support/recording_view.h"

using Records = std::vector<std::pair<std::uint64_t, std::string>>;  // time, name

class OrderingTest : public ::testing::Test {
  protected:
    // Sorts the records and returns them in their new order; a tick falls before every
    // comparison.
    Records Sort(const Records& records) {
        state.resultSet.clear();
        for (const auto& [time, name] : records) {
            state.resultSet.push_back({time, 1, "/" + name, name});
        }
        view.calls.clear();
        state.statusDueFlag = 1;
        view.onCall = [this](const std::string&) { state.statusDueFlag = 1; };
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

// Equal times are never exchanged, so a set already in order stays as it is; Stop before the
// first comparison leaves the set as it was, with no text.
TEST_F(OrderingTest, WorkedExamples) {
    // Records, their order after the ordering, and Stop.
    const std::tuple<Records, Records, bool> cases[] = {
        {{{5, "x"}, {5, "y"}}, {{5, "x"}, {5, "y"}}, false},
        {{{2, "a"}, {2, "b"}, {3, "c"}}, {{3, "c"}, {2, "b"}, {2, "a"}}, false},
        {{{9, "a"}, {7, "b"}, {7, "c"}, {1, "d"}}, {{9, "a"}, {7, "b"}, {7, "c"}, {1, "d"}}, false},
        {{{1, "a"}, {2, "b"}, {3, "c"}}, {{1, "a"}, {2, "b"}, {3, "c"}}, true}};
    for (const auto& [records, sorted, stop] : cases) {
        state.stopFlag = stop;
        EXPECT_EQ(Sort(records), sorted) << records.size() << " records";
        EXPECT_TRUE(!stop || view.calls.empty());
    }
}

// Many ties, and times with the top bit set, which compare unsigned.
TEST_F(OrderingTest, RandomSetsEndNewestFirstWithTheSameRecordsAndATextPerComparison) {
    std::mt19937_64 rng(11);
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        Records records(rng() % 40);
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i] = {rng() % 4 | (rng() & 1ULL << 63), "r" + std::to_string(i)};
        }
        Records sorted = Sort(records);
        EXPECT_TRUE(std::is_sorted(sorted.rbegin(), sorted.rend(),
                                   [](const auto& a, const auto& b) { return a.first < b.first; }));
        const std::size_t n = records.size();
        EXPECT_EQ(view.calls.size(), n * (n - 1));  // a text and a bar position each
        EXPECT_TRUE(n < 2 || view.calls.back() == "pos 100");
        std::sort(records.begin(), records.end());
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, records);
    }
}
