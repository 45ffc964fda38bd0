// Every block a search's records, texts and orderings grow by is asked for here first, so that
// a test can make any one of them fail as a full memory would.
#pragma once

#include <cstdint>

// Throws std::bad_alloc when the test's count says this is the allocation to fail.
void CheckAllocation();

// For tests: the count-th allocation from now fails (1: the next one); 0: none fails.
void FailAllocationAt(std::uint64_t count);
// For tests: how many allocations have been asked for so far.
std::uint64_t AllocationsAsked();
