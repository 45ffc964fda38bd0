// Throughput of the text search on data in memory, both ways of finding, with and
// without case folding. Usage: matcher_bench [megabytes] [rounds]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/timing.h"
#include "engine/text_finder.h"

namespace {

// Source-like text: identifiers, keywords, punctuation and newlines.
std::string MakeData(std::size_t bytes) {
    static const char* kWords[] = {"int",    "return", "const",  "struct",  "the",   "value",
                                   "size_t", "if",     "else",   "for",     "while", "static",
                                   "void",   "char",   "define", "include", "0x1F",  "NULL"};
    std::mt19937 rng(1);
    std::string data;
    data.reserve(bytes + 16);
    while (data.size() < bytes) {
        data += kWords[rng() % (sizeof kWords / sizeof kWords[0])];
        data += "  ();,\n*"[rng() % 8];
    }
    data.resize(bytes);
    return data;
}

}  // namespace

int main(int argc, char** argv) {
    const std::size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 9;
    const std::string data = MakeData(megabytes << 20);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    const char* texts[] = {"ScourwellAbsentToken", "qz", "return value_"};
    std::printf("matcher throughput, %zu MiB in memory, median of %d rounds (GB/s)\n", megabytes,
                rounds);
    std::printf("%-22s %-6s %10s %10s\n", "text", "case", "vector", "portable");
    for (const char* text : texts) {
        for (bool matchCase : {true, false}) {
            const TextFinder finder(text, std::string(text).size(), matchCase);
            std::vector<double> vector;
            std::vector<double> portable;
            for (int r = 0; r < rounds; ++r) {
                double start = NowSeconds();
                volatile std::size_t sink = finder.FindVector(bytes, data.size());
                vector.push_back(data.size() / (NowSeconds() - start) / 1e9);
                start = NowSeconds();
                sink = finder.FindPortable(bytes, data.size());
                portable.push_back(data.size() / (NowSeconds() - start) / 1e9);
                (void)sink;
            }
            std::printf("%-22s %-6s %10.2f %10.2f\n", text, matchCase ? "match" : "fold",
                        Median(vector), Median(portable));
        }
    }
    return 0;
}
