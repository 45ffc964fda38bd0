// The ordering against the exchange sort it stands for, record for record: every short
// sequence (the worked examples among them), random ones with many ties up to 10^4 records,
// the closed forms at 10^5. Then what the user sees: records moved whole, the progress texts, and
// Stop.
#include "results/result_ordering.h"

#include <gtest/gtest.h>

#include <numeric>
#include <random>
#include <utility>

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
    Order identity(100000);  // equal times stay, ascending ones end reversed
    std::iota(identity.begin(), identity.end(), std::size_t{0});
    const Times ascending(identity.begin(), identity.end());
    EXPECT_EQ(Ordered(Times(100000, 5)), identity);
    EXPECT_EQ(Ordered(ascending), Order(identity.rbegin(), identity.rend()));
    EXPECT_EQ(Ordered(Times(ascending.rbegin(), ascending.rend())), identity);  // descending
}

// 20,000 records: 15 merge passes and two steps each after, 340,000 steps reported every 4,096
// and at the end, a tick due at each. A Stop before the first report or at the 20th leaves the
// records in the order found; without one they end ordered, moved whole.
TEST(Ordering, TextsRiseToAHundredAndStopLeavesTheOrderFound) {
    for (const std::size_t stopAt : {0, 40, 1000}) {
        SearchState state;
        RecordingView view;
        Times times;
        const std::uint32_t folder = state.fileList.AddFolder("");
        for (std::uint32_t i = 0; i < 20000; ++i) {
            times.push_back(i * 7919 % 100);
            state.fileList.AddFile(folder, "r", 1, times[i]);
            state.resultSet.push_back(i);  // found in the order listed
        }
        state.stopFlag = stopAt == 0;
        state.statusDueFlag = 1;
        view.onCall = [&](const std::string&) {
            state.stopFlag = view.calls.size() >= stopAt;
            state.statusDueFlag = 1;
        };
        SortResultsByDate(0, 20000, state, view);
        // Equal times are left in the order found.
        const Order order = Ordered(stopAt == 1000 ? times : Times(20000));
        for (std::size_t i = 0; i < order.size(); ++i) {
            ASSERT_EQ(state.resultSet[i], order[i]) << stopAt;
        }
        ASSERT_EQ(view.calls.size(), stopAt < 1000 ? stopAt : 2 * (340000 / 4096 + 1));
        if (stopAt == 1000) {
            EXPECT_EQ(view.calls[0], "status Sorting Results... 1.20");
            EXPECT_EQ(view.calls.end()[-2], "status Sorting Results... 100.00");
            EXPECT_EQ(view.calls.back(), "pos 100");
        }
    }
}
