// Runs a part of a test that waits on a thread of its own, for at most a few seconds. Past
// that the part still holds the test's state, so the whole test program ends, saying what it
// waited for, instead of hanging until the test runner's own limit.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>

template <typename Part>
void WithinSeconds(int seconds, const char* waitingFor, Part part) {
    std::future<void> done = std::async(std::launch::async, part);
    if (done.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
        std::fprintf(stderr, "gave up after %d s waiting for %s\n", seconds, waitingFor);
        std::_Exit(1);  // stderr is unbuffered
    }
    done.get();
}
