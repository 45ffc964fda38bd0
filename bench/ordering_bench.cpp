// The ordering of the found files: the result set newest first, as the job orders it, for
// several shapes of times at 100,000 records, beside the exchange sort it replaced (run at
// 10,000 and 30,000 records, too slow beyond). Natively and under Wine.
// Usage: ordering_bench [rounds] [records]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/null_view.h"
#include "bench/timing.h"
#include "results/result_ordering.h"

namespace {

using Times = std::vector<std::uint64_t>;

Times Shape(const std::string& shape, std::size_t n) {
    std::mt19937_64 rng(7);
    Times times(n);
    for (std::size_t i = 0; i < n; ++i) {
        times[i] = shape == "distinct"    ? rng()
                   : shape == "ties"      ? rng() % 4
                   : shape == "equal"     ? 5
                   : shape == "ascending" ? i
                                          : n - i;
    }
    return times;
}

double TimeOrdering(const Times& times) {
    SearchState state;
    const std::uint32_t folder = state.fileList.AddFolder("C:\\some\\folder");
    for (const std::uint64_t t : times) {
        state.resultSet.push_back(static_cast<std::uint32_t>(state.fileList.size()));
        state.fileList.AddFile(folder, "file.txt", 1, t);
    }
    NullView view;
    const double start = NowSeconds();
    SortResultsByDate(0, static_cast<int>(times.size()), state, view);
    return NowSeconds() - start;
}

// The exchange sort as the program ran it before, on records as it had them then.
double TimeExchangeSort(const Times& times) {
    struct Record {
        std::uint64_t lastWriteTime;
        std::int64_t size;
        std::string fullPath, name;
    };
    std::vector<Record> records;
    for (const std::uint64_t t : times) {
        records.push_back({t, 1, "C:\\some\\folder\\file.txt", "file.txt"});
    }
    const double start = NowSeconds();
    for (std::size_t p = 0; p + 1 < records.size(); ++p) {
        for (std::size_t j = p + 1; j < records.size(); ++j) {
            if (records[j].lastWriteTime > records[p].lastWriteTime) {
                std::swap(records[p], records[j]);
            }
        }
    }
    return NowSeconds() - start;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const std::size_t n = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    std::printf("%-10s %10s  median of %d rounds, %zu records\n", "times", "seconds", rounds, n);
    for (const char* shape : {"distinct", "ties", "equal", "ascending", "descending"}) {
        std::vector<double> runs;
        for (int r = 0; r < rounds; ++r) {
            runs.push_back(TimeOrdering(Shape(shape, n)));
        }
        std::printf("%-10s %10.4f\n", shape, Median(runs));
    }
    for (const std::size_t small : {std::size_t{10000}, std::size_t{30000}}) {
        const double seconds = TimeExchangeSort(Shape("distinct", small));
        std::printf("exchange sort, %zu distinct: %.3f s (x%.0f at %zu: %.1f s)\n", small, seconds,
                    double(n) * n / (double(small) * small), n,
                    seconds * double(n) * n / (double(small) * small));
    }
}
