// Throughput of the text search on data in memory, both ways of finding, with and without
// case folding: ASCII texts as one form (the ANSI bytes alone) and as the two a search uses
// (ANSI and UTF-16), and a text outside ASCII in three. Usage: matcher_bench [megabytes] [rounds]
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench/timing.h"
#include "engine/search_forms.h"
#include "os/utf8.h"
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
    // Typed, and its ANSI bytes (cp1252).
    const std::pair<std::u16string, std::string> texts[] = {
        {u"ScourwellAbsentToken", "ScourwellAbsentToken"},
        {u"qz", "qz"},
        {u"return value_", "return value_"},
        {u"Müller", "M\xFCller"}};
    std::printf("matcher throughput, %zu MiB in memory, fastest of %d rounds (GB/s)\n", megabytes,
                rounds);
    std::printf("%-22s %-6s %-6s %10s %10s\n", "text", "forms", "case", "vector", "portable");
    for (const auto& [units, ansi] : texts) {
        const std::vector<SearchForm> all = SearchForms({units, ansi});
        for (const std::size_t count : {std::size_t{1}, all.size()}) {
            const std::vector<SearchForm> forms(all.begin(), all.begin() + count);
            for (bool matchCase : {true, false}) {
                const TextFinder finder(forms, matchCase);
                std::vector<double> vector;
                std::vector<double> portable;
                for (int r = 0; r < rounds; ++r) {
                    double start = NowSeconds();
                    volatile bool sink = finder.ContainsVector(bytes, data.size(), 0);
                    vector.push_back(data.size() / (NowSeconds() - start) / 1e9);
                    start = NowSeconds();
                    sink = finder.ContainsPortable(bytes, data.size(), 0);
                    portable.push_back(data.size() / (NowSeconds() - start) / 1e9);
                    (void)sink;
                }
                std::printf("%-22s %-6zu %-6s %10.2f %10.2f\n", os::Utf8FromUtf16(units).c_str(),
                            count, matchCase ? "match" : "fold", Fastest(vector),
                            Fastest(portable));
            }
        }
    }
    return 0;
}
