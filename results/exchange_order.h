// The order an exchange sort by descending time leaves a sequence in, worked out in n log n
// steps instead of n(n-1)/2 exchanges. Pure: no records, no window.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Called every few thousand steps and once at the end, with the steps done and the steps in
// all; returning false stops the work.
using OrderProgress = std::function<bool(std::uint64_t done, std::uint64_t total)>;

// The exchange sort: for each position p in turn, every later record that is strictly newer
// than the one at p is swapped into p. Records of different times end newest first; records of
// one time end in the order the exchanges leave them (times 2, 2, 3 end as the third, the
// second, the first). Returns the final order as indexes into times, or nothing when stopped.
std::optional<std::vector<std::size_t>> ExchangeOrder(const std::vector<std::uint64_t>& times,
                                                      const OrderProgress& progress);
