// The ordering against the exchange sort it stands for, record for record: every short
// sequence, random ones with many ties up to 10^4 records, the closed forms at 10^5. Then what
// the user sees: records moved whole, the progress texts, and Stop.
#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "results/exchange_order.h"
#include "tests/support/recording_view.h"

using Times = std::vector<std::uint64_t>;
using Order = std::vector<std::size_t>;

// The oracle: the exchange sort itself, n(n-1)/2 comparisons.
static Order Exchanged(const Times& times) {
    Order order(times.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (std::size_t p = 0; p + 1 < order.size(); ++p) {
        for (std::size_t j = p + 1; j < order.size(); ++j) {
            if (times[order[j]] > times[order[p]]) {
                std::swap(order[p], order[j]);
            }
        }
    }
    return order;
}

static Order Ordered(const Times& times) {
    return ExchangeOrder(times, [](std::uint64_t, std::uint64_t) { return true; }).value();
}

TEST(ExchangeOrder, MatchesTheExchangeSort) {
    for (std::size_t n = 0, codes = 1; n <= 7 && !HasFailure(); ++n, codes *= 4) {
        for (std::size_t code = 0; code < codes; ++code) {  // every sequence over 4 times
            Times times(n);
            for (std::size_t i = 0, c = code; i < n; ++i, c /= 4) {
                times[i] = c % 4;
            }
            ASSERT_EQ(Ordered(times), Exchanged(times)) << "sequence " << code << " of " << n;
        }
    }
    const unsigned seed = 20261207;
    std::mt19937_64 rng(seed);
    for (int round = 0; round < 2000; ++round) {
        const std::size_t n = round < 1990 ? rng() % 61 : 1 + rng() % 10000;
        const std::uint64_t distinct = 1 + rng() % (round % 3 == 0 ? 3 : n + 1);
        const int shape = round % 10;  // mostly random; runs up, runs down
        Times times(n);
        for (std::size_t i = 0; i < n; ++i) {
            const std::uint64_t t = shape == 8   ? i / 7
                                    : shape == 9 ? (n - i) / 7
                                                 : rng() % distinct;
            times[i] = t | (rng() & 1ULL << 63);  // compared unsigned
        }
        ASSERT_EQ(Ordered(times), Exchanged(times)) << "seed " << seed << ", round " << round;
    }
    const std::size_t big = 100000;
    Order identity(big), reversed(big);
    std::iota(identity.begin(), identity.end(), std::size_t{0});
    std::iota(reversed.rbegin(), reversed.rend(), std::size_t{0});
    Times equal(big, 5), ascending(big), descending(big);
    std::iota(ascending.begin(), ascending.end(), std::uint64_t{1});
    std::iota(descending.rbegin(), descending.rend(), std::uint64_t{1});
    EXPECT_EQ(Ordered(equal), identity);
    EXPECT_EQ(Ordered(ascending), reversed);
    EXPECT_EQ(Ordered(descending), identity);
}

using Records = std::vector<std::pair<std::uint64_t, std::string>>;  // time, name

class OrderingTest : public ::testing::Test {
  protected:
    // Sorts the records, a tick falling at every report, and returns them in their new order.
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

TEST_F(OrderingTest, WorkedExamples) {
    const Records cases[][2] = {
        {{{5, "x"}, {5, "y"}}, {{5, "x"}, {5, "y"}}},
        {{{2, "a"}, {2, "b"}, {3, "c"}}, {{3, "c"}, {2, "b"}, {2, "a"}}},
        {{{2, "a"}, {2, "b"}, {3, "x"}, {2, "c"}}, {{3, "x"}, {2, "b"}, {2, "a"}, {2, "c"}}}};
    for (const auto& c : cases) {
        EXPECT_EQ(Sort(c[0]), c[1]) << c[0].size() << " records";
    }
}

// 20,000 records make 15 merge passes and two steps each after: 340,000 steps, reported every
// 4,096 and at the end. Stop at any report, or before the first, leaves the order found.
TEST_F(OrderingTest, TextsRiseToAHundredAndStopLeavesTheOrderFound) {
    Records records(20000);
    for (std::size_t i = 0; i < records.size(); ++i) {
        records[i] = {i * 7919 % 100, "r" + std::to_string(i)};
    }
    Sort(records);
    ASSERT_EQ(view.calls.size(), 2u * (340000 / 4096 + 1));
    EXPECT_EQ(view.calls[0], "status Sorting Results... 1.20");
    EXPECT_EQ(view.calls[view.calls.size() - 2], "status Sorting Results... 100.00");
    EXPECT_EQ(view.calls.back(), "pos 100");
    for (const std::size_t stopAt : {std::size_t{0}, std::size_t{40}}) {
        view.onCall = [&](const std::string&) {
            state.stopFlag = view.calls.size() >= stopAt;
            state.statusDueFlag = 1;
        };
        state.stopFlag = stopAt == 0;
        state.resultSet.clear();
        for (const auto& [time, name] : records) {
            state.resultSet.push_back({time, 1, "/" + name, name});
        }
        view.calls.clear();
        SortResultsByDate(0, static_cast<int>(records.size()), state, view);
        EXPECT_EQ(view.calls.size(), stopAt);
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(state.resultSet[i].name, records[i].second) << "stopped at " << stopAt;
        }
    }
}
