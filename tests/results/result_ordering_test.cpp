#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/recording_view.h"

namespace {

// The exchange procedure written out as plainly as possible, on (time, name) pairs.
std::vector<std::string> ReferenceOrder(std::vector<std::pair<std::uint64_t, std::string>> records,
                                        std::size_t stopAfterComparisons = SIZE_MAX) {
    std::size_t compared = 0;
    for (std::size_t p = 0; p + 1 < records.size(); ++p) {
        for (std::size_t j = p + 1; j < records.size(); ++j) {
            if (compared == stopAfterComparisons) {
                p = records.size();
                break;
            }
            if (records[j].first > records[p].first) {
                std::swap(records[p], records[j]);
            }
            ++compared;
        }
    }
    std::vector<std::string> names;
    for (const auto& r : records) {
        names.push_back(r.second);
    }
    return names;
}

class OrderingTest : public ::testing::Test {
  protected:
    void Load(const std::vector<std::pair<std::uint64_t, std::string>>& records) {
        state.resultSet.clear();
        for (const auto& [time, name] : records) {
            FileEntry e;
            e.lastWriteTime = time;
            e.name = name;
            e.fullPath = "C:\\" + name;
            e.size = static_cast<std::int64_t>(name.size());
            state.resultSet.push_back(e);
        }
    }

    std::vector<std::string> Sorted() {
        SortResultsByDate(0, static_cast<int>(state.resultSet.size()), state, view);
        std::vector<std::string> names;
        for (const FileEntry& e : state.resultSet) {
            names.push_back(e.name);
            EXPECT_EQ(e.fullPath, "C:\\" + e.name);  // records move whole
        }
        return names;
    }

    SearchState state;
    RecordingView view;
};

using Names = std::vector<std::string>;

}  // namespace

TEST_F(OrderingTest, NewestFirstWithTheExchangeProceduresTieOrder) {
    Load({{2, "a"}, {2, "b"}, {3, "c"}});
    EXPECT_EQ(Sorted(), (Names{"c", "b", "a"}));
    Load({{1, "old"}, {9, "new"}});
    EXPECT_EQ(Sorted(), (Names{"new", "old"}));
    Load({{5, "x"}, {5, "y"}});
    EXPECT_EQ(Sorted(), (Names{"x", "y"}));
    Load({});
    EXPECT_TRUE(Sorted().empty());
    Load({{1, "only"}});
    EXPECT_EQ(Sorted(), Names{"only"});
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(OrderingTest, ManyTiesMatchThePlainTranscription) {
    std::mt19937 rng(11);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::pair<std::uint64_t, std::string>> records;
        const std::size_t n = rng() % 40;
        const std::uint64_t distinct = 1 + rng() % 4;
        for (std::size_t i = 0; i < n; ++i) {
            // Times with the top bit set catch a signed comparison.
            const std::uint64_t high = round % 2 ? static_cast<std::uint64_t>(rng() % 2) << 63 : 0;
            const std::uint64_t time = (rng() % distinct) | high;
            records.emplace_back(time, "r" + std::to_string(i));
        }
        Load(records);
        ASSERT_EQ(Sorted(), ReferenceOrder(records)) << "round " << round;
    }
}

TEST_F(OrderingTest, ProgressClimbsToOneHundredOnTheLastComparison) {
    std::vector<std::pair<std::uint64_t, std::string>> records;
    for (int i = 0; i < 7; ++i) {
        records.emplace_back(100 - i, "d" + std::to_string(i));  // already newest first
    }
    Load(records);
    // A tick before every comparison.
    state.statusDueFlag = 1;
    view.onStatus = [this](const std::string&) { state.statusDueFlag = 1; };
    EXPECT_EQ(Sorted(), ReferenceOrder(records));
    const std::vector<std::string> texts = view.StatusTexts();
    ASSERT_EQ(texts.size(), 21u);  // 7 * 6 / 2 comparisons
    EXPECT_EQ(texts.front(), "Sorting Results... 4.76");
    EXPECT_EQ(texts.back(), "Sorting Results... 100.00");
    EXPECT_EQ(view.calls.back(), "pos 100");
    EXPECT_EQ(view.calls[1], "pos 4");
}

TEST_F(OrderingTest, StopLeavesThePartialOrderOfTheComparisonsMade) {
    std::vector<std::pair<std::uint64_t, std::string>> records;
    for (int i = 0; i < 10; ++i) {
        records.emplace_back(static_cast<std::uint64_t>(i * 7 % 10), "s" + std::to_string(i));
    }
    Load(records);
    state.stopFlag = 1;
    EXPECT_EQ(Sorted(), ReferenceOrder(records, 0));
    EXPECT_TRUE(view.calls.empty());

    // Stop pressed while the fourth comparison's text is written.
    state.stopFlag = 0;
    int texts = 0;
    state.statusDueFlag = 1;
    view.onStatus = [&](const std::string&) {
        state.statusDueFlag = 1;
        if (++texts == 4) {
            state.stopFlag = 1;
        }
    };
    EXPECT_EQ(Sorted(), ReferenceOrder(records, 4));
    EXPECT_EQ(texts, 4);
}
