// Wall-clock timing and medians for the benchmarks.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

inline double NowSeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The highest rate of the rounds: on a shared machine the slower ones time the neighbours.
inline double Fastest(const std::vector<double>& rates) {
    return *std::max_element(rates.begin(), rates.end());
}
