// The content matcher: worked cases, and the plain search on generated files. The suite runs
// a fixed seed; scripts/fuzz-matcher.sh sets SCOURWELL_FUZZ_SEED and SCOURWELL_FUZZ_CASES.
#include "engine/content_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    FileEntry Entry(const std::string& name, const std::string& content) {
        return {42, static_cast<std::int64_t>(content.size()), tree.AddFile(name, content), name};
    }

    // True when entry was found and recorded as found.
    bool Scan(const FileEntry& entry, const std::string& text, bool matchCase = true) {
        const std::size_t before = state.resultSet.size();
        const TextFinder finder(text.data(), text.size(), matchCase);
        ScanFileForText(entry, finder, progress, state, view);
        EXPECT_EQ(progress.foundCount, state.resultSet.size());
        return state.resultSet.size() == before + 1 && state.resultSet.back().name == entry.name;
    }

    TempTree tree;
    FileEntry entry{42, 0, tree.AddFile("f", ""), "f"};
    SearchState state;
    SearchProgress progress;
    RecordingView view;
};

using MatcherFuzz = MatcherTest;

unsigned long long Setting(const char* name, unsigned long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtoull(value, nullptr, 10) : fallback;
}

}  // namespace

TEST_F(MatcherTest, ReadingEndsAtStopOrAtTheRecordedSizeWithTheCurrentChunk) {
    const std::string content = "early" + std::string(READ_CHUNK_SIZE, '.') + "late";
    FileEntry e = Entry("s.bin", content);
    e.size = 10;  // the file grew after the walk
    EXPECT_TRUE(Scan(e, "early"));
    EXPECT_FALSE(Scan(e, "late"));
    e.size = static_cast<std::int64_t>(content.size());
    state.stopFlag = 1;  // the first read is made, but not searched past its first chunk
    const TextFinder late("late", 4, true);
    EXPECT_EQ(FileScanner(late, kDefaultReadSize).Scan(e, state.stopFlag), FileOutcome::kNeither);
}

TEST_F(MatcherTest, LargeFileTextOnlyAboveTheThresholdAndOncePerTick) {
    FileEntry e = Entry("big.bin", std::string(2 * READ_CHUNK_SIZE, '.'));
    progress = {3, 1, 0, 0};
    state.statusDueFlag = 1;
    e.size = LARGE_FILE_THRESHOLD;  // the recorded size counts, not the short file on disk
    Scan(e, "x");
    EXPECT_TRUE(view.calls.empty());
    e.size = LARGE_FILE_THRESHOLD + 1;
    Scan(e, "x");
    EXPECT_EQ(view.calls, (std::vector<std::string>{
                              "status [33.33%] Large File Search... [0.01%] [big.bin]", "pos 0"}));
}

// Costs seconds: scripts/slow-checks.sh runs it. The size comes from the walk.
TEST_F(MatcherTest, DISABLED_FiveGiBSparseFileIsFoundByItsLastBytes) {
    std::filesystem::resize_file(tree.AddFile("big", ""), (5ULL << 30) - 6);
    std::ofstream(tree.Path("big"), std::ios::binary | std::ios::app) << "needle";
    BuildFileList(tree.Root(), state, view);
    ASSERT_EQ(state.fileList.size(), 1u);
    EXPECT_EQ(state.fileList[0].size, 5LL << 30);
    EXPECT_TRUE(Scan(state.fileList[0], "needle"));
}

TEST_F(MatcherFuzz, AgreesWithThePlainSearchOnGeneratedFiles) {
    const unsigned long long seed = Setting("SCOURWELL_FUZZ_SEED", 20240611);
    const unsigned long long cases = Setting("SCOURWELL_FUZZ_CASES", 2000);
    std::mt19937_64 rng(seed);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // Small alphabets, both cases, bytes of 0x80 and above; texts of 1 to 259 bytes; sizes
    // around each chunk boundary up to four chunks, where a match splits between two reads.
    const std::string alphabets[] = {"ab", "aAbB", "a\xC4\xE4", "zZ\x80\xFF", "x"};
    unsigned long long differences = 0;
    for (unsigned long long run = 0; run < cases; ++run) {
        const std::string& alphabet = alphabets[below(std::size(alphabets))];
        auto letters = [&](std::size_t n) {
            std::string s(n, ' ');
            for (char& c : s) {
                c = alphabet[below(alphabet.size())];
            }
            return s;
        };
        const bool matchCase = below(2) == 0;
        const std::string text = letters(below(3) == 0 ? 1 + below(259) : 1 + below(6));
        const std::size_t boundary = READ_CHUNK_SIZE * below(5);
        std::string content = letters(boundary == 0 ? 1 + below(600) : boundary - 300 + below(600));
        if (below(3) != 0 && text.size() <= content.size()) {  // planted, across a boundary or not
            const std::size_t last = content.size() - text.size();
            const std::size_t across =
                boundary > text.size() ? boundary - below(text.size() + 1) : 0;
            const std::size_t at = std::min(below(2) ? across : below(last + 1), last);
            for (std::size_t i = 0; i < text.size(); ++i) {
                const bool flip = !matchCase && std::isalpha(static_cast<unsigned char>(text[i]));
                content[at + i] = static_cast<char>(flip && below(2) ? text[i] ^ 0x20 : text[i]);
            }
        }
        // Rewritten in place: a file truncated to zero and written again is flushed to disk.
        std::fstream(entry.fullPath, std::ios::in | std::ios::out | std::ios::binary) << content;
        std::filesystem::resize_file(entry.fullPath, content.size());
        entry.size = static_cast<std::int64_t>(content.size());
        const bool found = Scan(entry, text, matchCase);
        // Every start position, every byte; only A-Z fold.
        auto fold = [&](unsigned char c) {
            return !matchCase && c >= 'A' && c <= 'Z' ? c + 32 : c;
        };
        const bool expected = std::search(content.begin(), content.end(), text.begin(), text.end(),
                                          [&](unsigned char a, unsigned char b) {
                                              return fold(a) == fold(b);
                                          }) != content.end();
        const auto* bytes = reinterpret_cast<const unsigned char*>(content.data());
        const bool portable =
            TextFinder(text.data(), text.size(), matchCase).FindPortable(bytes, content.size()) !=
            TextFinder::kNotFound;
        if ((found != expected || portable != expected) && ++differences <= 10) {
            ADD_FAILURE() << "case " << run << ": size " << content.size() << ", text length "
                          << text.size() << ", match case " << matchCase;
        }
    }
    std::printf("fuzz: seed %llu, %llu cases, %llu differences\n", seed, cases, differences);
    EXPECT_EQ(differences, 0u);
}
