// The content matcher: worked cases, and the readers' pool against a plain search on generated
// files. The suite runs a fixed seed; scripts/fuzz-matcher.sh sets SCOURWELL_FUZZ_SEED and
// SCOURWELL_FUZZ_CASES.
#include "engine/content_matcher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "engine/content_readers.h"
#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"
#include "tests/support/time_limit.h"

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    // True when entry was recorded as found.
    bool Scan(const FileEntry& entry, const std::string& text) {
        const std::size_t before = state.resultSet.size();
        ScanFileForText(entry, TextFinder(text.data(), text.size(), true), progress, state, view);
        return state.resultSet.size() > before;
    }

    TempTree tree;
    SearchState state;
    SearchProgress progress;
    RecordingView view;
};

unsigned long long Setting(const char* name, unsigned long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::strtoull(value, nullptr, 10) : fallback;
}

}  // namespace

TEST_F(MatcherTest, ReadingEndsAtStopOrAtTheRecordedSizeWithTheCurrentChunk) {
    const std::string content = "early" + std::string(READ_CHUNK_SIZE, '.') + "late";
    FileEntry e{42, 10, tree.AddFile("s.bin", content), "s.bin"};  // it grew after the walk
    EXPECT_TRUE(Scan(e, "early"));
    EXPECT_FALSE(Scan(e, "late"));
    e.size = static_cast<std::int64_t>(content.size());
    state.stopFlag = 1;  // the first read is made, but not searched past its first chunk
    const TextFinder late("late", 4, true);
    EXPECT_EQ(FileScanner(late, kDefaultReadSize).Scan(e, state.stopFlag), FileOutcome::kNeither);
}

// The recorded size counts, not the short file on disk. The text itself is the job test's.
TEST_F(MatcherTest, LargeFileTextOnlyAboveTheThresholdOncePerTickAndCutToTheStatusBuffer) {
    FileEntry e{42, 0, tree.AddFile("big", std::string(2 * READ_CHUNK_SIZE, '.')), "big"};
    e.name.assign(300, 'n');
    for (const std::int64_t size : {LARGE_FILE_THRESHOLD, LARGE_FILE_THRESHOLD + 1}) {
        e.size = size;
        state.statusDueFlag = 1;
        Scan(e, "x");
    }
    ASSERT_EQ(view.calls.size(), 2u);  // a text and a bar position, for the larger file only
    EXPECT_EQ(view.calls[0].size(), std::string("status ").size() + 259);
}

// Costs seconds: scripts/slow-checks.sh runs it. The size comes from the walk, whose sizes
// above 4 GiB the listing's test checks.
TEST_F(MatcherTest, DISABLED_FiveGiBSparseFileIsFoundByItsLastBytes) {
    std::filesystem::resize_file(tree.AddFile("big", ""), (5ULL << 30) - 6);
    std::ofstream(tree.Path("big"), std::ios::binary | std::ios::app) << "needle";
    BuildFileList(tree.Root(), state, view);
    ASSERT_EQ(state.fileList.size(), 1u);
    EXPECT_TRUE(Scan(state.fileList[0], "needle"));
}

// Pools read batches of files for one text each, as the search does: whole chunks per read,
// the text's tail carried across chunks and reads.
TEST(MatcherFuzz, ReadersAgreeWithThePlainSearchOnGeneratedFiles) {
    const unsigned long long seed = Setting("SCOURWELL_FUZZ_SEED", 20240611);
    const unsigned long long cases = Setting("SCOURWELL_FUZZ_CASES", 2000);
    std::mt19937_64 rng(seed);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // One reader at READ_CHUNK_SIZE reads as ScanFileForText does.
    const ContentOptions pools[] = {{1, READ_CHUNK_SIZE},
                                    {2, kDefaultReadSize},
                                    {3, 3 * READ_CHUNK_SIZE},
                                    {4, 2 * READ_CHUNK_SIZE}};
    // Small alphabets, both cases, the neighbours of A-Z and a-z, bytes of 0x80 and above.
    const std::string alphabets[] = {"ab", "aAbB", "a\xC4\xE4", "zZ\x80\xFF", "x", "aA@[`{"};
    TempTree tree;
    for (unsigned long long run = 0; run < cases; run += 25) {
        const ContentOptions& pool = pools[run / 25 % std::size(pools)];
        const std::string& alphabet = alphabets[below(std::size(alphabets))];
        auto letters = [&](std::string s, std::size_t from) {
            for (; from < s.size(); ++from) {
                s[from] = alphabet[below(alphabet.size())];
            }
            return s;
        };
        const bool matchCase = below(2) == 0;
        // The plain search: every start position, every byte; only A-Z fold.
        auto same = [&](unsigned char a, unsigned char b) {
            return a == b || (!matchCase && (a | 0x20) == (b | 0x20) && (a | 0x20) - 'a' < 26u);
        };
        const std::string text = letters(std::string(1 + below(below(3) == 0 ? 259 : 6), ' '), 0);
        const TextFinder finder(text.data(), text.size(), matchCase);
        FileList files;
        std::vector<bool> expected;
        for (std::size_t k = 0; k < 25 && run + k < cases; ++k) {
            // Odd sizes around a chunk boundary or the end of the first or second read, random
            // from 300 bytes before it.
            const std::size_t boundary =
                below(3) ? READ_CHUNK_SIZE * below(5) : pool.readSize * (1 + below(2));
            const std::size_t from = boundary == 0 ? 0 : boundary - 300;
            std::string content = letters(std::string(from + 1 + below(600), '.'), from);
            if (below(3) != 0 && text.size() <= content.size()) {  // planted, across or not
                const std::size_t last = content.size() - text.size();
                const std::size_t across = boundary - std::min(boundary, below(text.size() + 1));
                const std::size_t at = std::min(below(2) ? across : below(last + 1), last);
                for (std::size_t i = 0; i < text.size(); ++i) {
                    const bool letter = (text[i] | 0x20) >= 'a' && (text[i] | 0x20) <= 'z';
                    content[at + i] = text[i] ^ (!matchCase && letter && below(2) ? 0x20 : 0);
                }
            }
            expected.push_back(std::search(content.begin(), content.end(), text.begin(), text.end(),
                                           same) != content.end());
            // Rewritten in place: a file truncated to zero and written again is flushed to disk,
            // and under Wine making a file costs more than writing one.
            const std::string name = std::to_string(k);
            const std::string path = run == 0 ? tree.AddFile(name, "") : tree.Path(name).string();
            std::fstream(path, std::ios::in | std::ios::out | std::ios::binary) << content;
            std::filesystem::resize_file(path, content.size());
            files.push_back({42, static_cast<std::int64_t>(content.size()), path, name});
        }
        WithinSeconds(10, "the outcomes of a pool's files", [&] {
            const std::atomic<std::uint32_t> stop{0};
            ContentReaders readers(files, finder, stop, pool);
            for (std::size_t k = 0; k < files.size(); ++k) {
                EXPECT_EQ(
                    readers.Await(k, std::chrono::milliseconds(10), {}) == FileOutcome::kFound,
                    expected[k])
                    << "case " << run + k << ": size " << files[k].size << ", text length "
                    << text.size() << ", match case " << matchCase << ", " << pool.readers
                    << " readers of " << pool.readSize;
            }
        });
    }
    std::printf("fuzz: seed %llu, %llu cases\n", seed, cases);
}
