#include "job/row_batches.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(RowBatches, NextBatchFitsTheBudgetWithinItsStepsAndBounds) {
    // rows, seconds they took, rows of the next batch
    const std::tuple<int, double, int> cases[] = {
        {200, 0.020, 400},    {1000, 0.080, 500},  // in proportion to the budget's share
        {200, 0.001, 800},    {200, 0.0, 800},     // quick: at most four times as many
        {1000, 0.400, 500},                        // slow: at least half as many
        {1, 0.010, 256},      {200, 0.100, 256},   // never below the least batch
        {8000, 0.010, 16384},                      // nor above the largest
    };
    for (const auto& [rows, seconds, next] : cases) {
        EXPECT_EQ(NextRowBatch(rows, seconds), next) << rows << " rows in " << seconds;
    }
}
