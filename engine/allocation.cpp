#include "engine/allocation.h"

#include <atomic>
#include <new>

namespace {

std::atomic<std::uint64_t> g_countdown{0};  // 0: no failure asked for
std::atomic<std::uint64_t> g_asked{0};

}  // namespace

void CheckAllocation() {
    g_asked.fetch_add(1, std::memory_order_relaxed);
    std::uint64_t left = g_countdown.load(std::memory_order_relaxed);
    while (left != 0 && !g_countdown.compare_exchange_weak(left, left - 1)) {
    }
    if (left == 1) {
        throw std::bad_alloc();
    }
}

void FailAllocationAt(std::uint64_t count) {
    g_countdown.store(count);
}

std::uint64_t AllocationsAsked() {
    return g_asked.load();
}
