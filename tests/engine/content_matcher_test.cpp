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
#include <iterator>
#include <random>
#include <string>
#include <utility>

#include "engine/content_readers.h"
#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"
#include "tests/support/time_limit.h"

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    FileEntry Entry(const std::string& name, const std::string& content) {
        return {42, static_cast<std::int64_t>(content.size()), tree.AddFile(name, content), name};
    }

    // True when entry was found and recorded as found.
    bool Scan(const FileEntry& entry, const std::string& text) {
        const std::size_t before = state.resultSet.size();
        const TextFinder finder(text.data(), text.size(), true);
        ScanFileForText(entry, finder, progress, state, view);
        EXPECT_EQ(progress.foundCount, state.resultSet.size());
        return state.resultSet.size() == before + 1 && state.resultSet.back().name == entry.name;
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

// Every start position, every byte; only A-Z fold.
bool PlainSearchFinds(const std::string& content, const std::string& text, bool matchCase) {
    auto fold = [&](unsigned char c) { return !matchCase && c >= 'A' && c <= 'Z' ? c + 32 : c; };
    return std::search(content.begin(), content.end(), text.begin(), text.end(),
                       [&](unsigned char a, unsigned char b) { return fold(a) == fold(b); }) !=
           content.end();
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
    e.name.assign(300, 'n');  // cut to the 259 characters of the status buffer
    view.calls.clear();
    state.statusDueFlag = 1;
    Scan(e, "x");
    EXPECT_EQ(view.calls.at(0).size(), std::string("status ").size() + 259);
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

// Each pool reads a batch of files for one text, as the search does: readers claim files,
// read whole numbers of chunks and carry the text's tail from one chunk and read to the next.
TEST(MatcherFuzz, ReadersAgreeWithThePlainSearchOnGeneratedFiles) {
    const unsigned long long seed = Setting("SCOURWELL_FUZZ_SEED", 20240611);
    const unsigned long long cases = Setting("SCOURWELL_FUZZ_CASES", 2000);
    std::mt19937_64 rng(seed);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // Readers and bytes per read; one reader at READ_CHUNK_SIZE reads as ScanFileForText does.
    const std::pair<unsigned, std::size_t> pools[] = {{1, READ_CHUNK_SIZE},
                                                      {2, kDefaultReadSize},
                                                      {3, 3 * READ_CHUNK_SIZE},
                                                      {4, kDefaultReadSize}};
    // Small alphabets, both cases, the neighbours of A-Z and a-z, bytes of 0x80 and above.
    const std::string alphabets[] = {"ab", "aAbB", "a\xC4\xE4", "zZ\x80\xFF", "x", "aA@[`{"};
    constexpr std::size_t kBatch = 25;
    TempTree tree;
    unsigned long long differences = 0;
    for (unsigned long long first = 0; first < cases; first += kBatch) {
        const auto [readers, readSize] = pools[first / kBatch % std::size(pools)];
        const std::string& alphabet = alphabets[below(std::size(alphabets))];
        auto letters = [&](std::string& s, std::size_t from) {
            for (std::size_t i = from; i < s.size(); ++i) {
                s[i] = alphabet[below(alphabet.size())];
            }
        };
        const bool matchCase = below(2) == 0;
        std::string text(below(3) == 0 ? 1 + below(259) : 1 + below(6), ' ');
        letters(text, 0);
        // Odd sizes around a chunk boundary, or around the end of the first or second read;
        // only the 300 bytes before the boundary and what follows it are random.
        FileList files;
        std::vector<std::string> contents;
        for (std::size_t k = 0; k < kBatch && first + k < cases; ++k) {
            const std::size_t boundary =
                below(2) ? READ_CHUNK_SIZE * below(5) : readSize * (1 + below(2));
            std::string content(boundary == 0 ? 1 + below(600) : boundary - 300 + below(600), '.');
            letters(content, boundary == 0 ? 0 : boundary - 300);
            if (below(3) != 0 && text.size() <= content.size()) {  // planted, across or not
                const std::size_t last = content.size() - text.size();
                const std::size_t across =
                    boundary > text.size() ? boundary - below(text.size() + 1) : 0;
                const std::size_t at = std::min(below(2) ? across : below(last + 1), last);
                for (std::size_t i = 0; i < text.size(); ++i) {
                    const bool letter = (text[i] | 0x20) >= 'a' && (text[i] | 0x20) <= 'z';
                    content[at + i] = text[i] ^ (!matchCase && letter && below(2) ? 0x20 : 0);
                }
            }
            const std::string name = std::to_string(k);
            if (first == 0) {
                tree.AddFile(name, "");
            }
            // Rewritten in place: a file truncated to zero and written again is flushed to disk.
            std::fstream(tree.Path(name), std::ios::in | std::ios::out | std::ios::binary)
                << content;
            std::filesystem::resize_file(tree.Path(name), content.size());
            files.push_back(
                {42, static_cast<std::int64_t>(content.size()), tree.Path(name).string(), name});
            contents.push_back(std::move(content));
        }
        const TextFinder finder(text.data(), text.size(), matchCase);
        std::vector<FileOutcome> outcomes;
        WithinSeconds(10, "the readers' outcomes of a batch", [&] {
            const std::atomic<std::uint32_t> stop{0};
            ContentReaders pool(files, finder, stop, ContentOptions{readers, readSize});
            for (std::size_t i = 0; i < files.size(); ++i) {
                outcomes.push_back(pool.Await(i, std::chrono::milliseconds(10), nullptr));
            }
        });
        for (std::size_t i = 0; i < files.size(); ++i) {
            const bool expected = PlainSearchFinds(contents[i], text, matchCase);
            const auto* bytes = reinterpret_cast<const unsigned char*>(contents[i].data());
            const bool portable =
                finder.FindPortable(bytes, contents[i].size()) != TextFinder::kNotFound;
            if (((outcomes[i] == FileOutcome::kFound) != expected || portable != expected) &&
                ++differences <= 10) {
                ADD_FAILURE() << "case " << first + i << ": size " << contents[i].size()
                              << ", text length " << text.size() << ", match case " << matchCase
                              << ", " << readers << " readers of " << readSize << " bytes";
            }
        }
    }
    std::printf("fuzz: seed %llu, %llu cases, %llu differences\n", seed, cases, differences);
    EXPECT_EQ(differences, 0u);
}
