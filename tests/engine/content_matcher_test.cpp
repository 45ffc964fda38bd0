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
#include <optional>
#include <random>
#include <tuple>

#include "engine/content_readers.h"
#include "engine/file_list_builder.h"
#include "tests/support/recording_view.h"
#include "tests/support/temp_tree.h"
#include "tests/support/time_limit.h"

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    // True when file index was recorded as found.
    bool Scan(std::size_t index, const std::string& text) {
        const std::size_t before = state.resultSet.size();
        ScanFileForText(index, TextFinder({{text}}, true), progress, state, view);
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
    const std::string path = tree.AddFile("s.bin", content);
    const std::size_t grown = ListFile(state.fileList, path, 10);  // it grew after the walk
    EXPECT_TRUE(Scan(grown, "early"));
    EXPECT_FALSE(Scan(grown, "late"));
    state.stopFlag = 1;  // the first read is made, but not searched past its first chunk
    const TextFinder late({{"late"}}, true);
    EXPECT_EQ(FileScanner(late, kDefaultReadSize)
                  .Scan(path, static_cast<std::int64_t>(content.size()), state.stopFlag),
              FileOutcome::kNeither);
}

// The recorded size counts, not the short file on disk. The text itself is the job test's.
TEST_F(MatcherTest, LargeFileTextOnlyAboveTheThresholdOncePerTickAndCutToTheStatusBuffer) {
    const std::string path =
        tree.AddFile(std::string(240, 'n'), std::string(2 * READ_CHUNK_SIZE, '.'));
    for (const std::int64_t size : {LARGE_FILE_THRESHOLD, LARGE_FILE_THRESHOLD + 1}) {
        state.statusDueFlag = 1;
        Scan(ListFile(state.fileList, path, size), "x");
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
    EXPECT_TRUE(Scan(0, "needle"));
}

// Typed texts in files, in each form: cp1252 and UTF-8; UTF-16LE with and without a byte-order
// mark, never at an odd offset; no "??" for what the code page lacks. In UTF-16 only the units
// A-Z fold: not the low byte of Ł (41 01) nor the high byte of 䄀 (00 41).
TEST_F(MatcherTest, EachFormOfTheTextIsFoundInFiles) {
    auto utf16 = [](const std::u16string& units) { return SearchForms({units, {}}).back().bytes; };
    // Typed, its ANSI bytes (none: a character the code page lacks), match case, file, found.
    const std::tuple<std::u16string, std::optional<std::string>, bool, std::string, bool> cases[] =
        {{u"Müller", "M\xFCller", true, "x M\xFCller", true},
         {u"Müller", "M\xFCller", true, "M\xC3\xBCller", true},
         {u"NEEDLE16", "NEEDLE16", true, "\xFF\xFE" + utf16(u"NEEDLE16"), true},
         {u"NEEDLE16", "NEEDLE16", true, utf16(u"x NEEDLE16"), true},
         {u"NEEDLE16", "NEEDLE16", true, "x" + utf16(u"NEEDLE16"), false},
         {u"中文", {}, true, "??", false},
         {u"中文", {}, true, "\xE4\xB8\xAD\xE6\x96\x87", true},
         {u"中文", {}, true, "x " + utf16(u"中文"), true},
         {u"😀", {}, true, "\xF0\x9F\x98\x80", true},
         {u"needle16", "needle16", false, utf16(u"NeEdLe16"), true},
         {u"š", {}, false, utf16(u"Ł"), false},
         {u"愀", {}, false, utf16(u"䄀"), false}};
    for (const auto& [units, ansi, matchCase, content, found] : cases) {
        const std::size_t file = ListFile(state.fileList, tree.AddFile("f", content),
                                          static_cast<std::int64_t>(content.size()));
        const std::size_t before = state.resultSet.size();
        ScanFileForText(file, TextFinder(SearchForms({units, ansi}), matchCase), progress, state,
                        view);
        EXPECT_EQ(state.resultSet.size() > before, found) << content;
    }
}

// Pools read batches of files for one typed text each, as the search does: whole chunks per read,
// the longest form's tail carried across chunks and reads. Its ANSI form is Latin-1, where it has
// one. The plain search tries every start of every form (UTF-16 at even offsets), folding A-Z.
TEST(MatcherFuzz, ReadersAgreeWithThePlainSearchOnGeneratedFiles) {
    const unsigned long long seed = Setting("SCOURWELL_FUZZ_SEED", 20240611);
    const unsigned long long cases = Setting("SCOURWELL_FUZZ_CASES", 2000);
    std::mt19937_64 rng(seed);
    auto below = [&](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // One reader at READ_CHUNK_SIZE reads as ScanFileForText does.
    const SearchOptions pools[] = {{1, READ_CHUNK_SIZE},
                                   {2, kDefaultReadSize},
                                   {3, 3 * READ_CHUNK_SIZE},
                                   {4, 2 * READ_CHUNK_SIZE}};
    // Small alphabets: both cases, the neighbours of A-Z and a-z, Latin-1, units with A-Z or 0 in
    // either byte, CJK, a pair.
    const std::u16string alphabets[] = {u"ab",     u"aAbB",  u"a\xC4\xE4", u"zZ\x80\xFF", u"x",
                                        u"aA@[`{", u"aŁ䄀š", u"N中文",     u"a😀"};
    TempTree tree;
    unsigned long long differences = 0;
    for (unsigned long long run = 0; run < cases; run += 25) {
        const SearchOptions& pool = pools[run / 25 % std::size(pools)];
        const std::u16string& alphabet = alphabets[below(std::size(alphabets))];
        const bool matchCase = below(2) == 0;
        TypedText typed;
        for (std::size_t n = 1 + below(below(3) == 0 ? 259 : 6); typed.units.size() < n;) {
            typed.units += alphabet[below(alphabet.size())];
        }
        CutSearchText(typed.units);
        if (std::all_of(typed.units.begin(), typed.units.end(),
                        [](char16_t u) { return u < 256; })) {
            typed.ansi = std::string(typed.units.begin(), typed.units.end());
        }
        const std::vector<SearchForm> forms = SearchForms(typed);
        std::string bytes;  // the files are made of the forms' bytes
        for (const SearchForm& form : forms) {
            bytes += form.bytes;
        }
        auto unit = [&](const std::string& s, std::size_t i, bool wide) {
            const unsigned u = static_cast<unsigned char>(s[i]) |
                               (wide ? static_cast<unsigned char>(s[i + 1]) << 8 : 0);
            return !matchCase && u - 'A' < 26u ? u + 32 : u;
        };
        auto occurs = [&](const std::string& content, const SearchForm& form) {
            const std::size_t step = 1 + form.utf16, length = form.bytes.size();
            for (std::size_t at = 0, i = 0; at + length <= content.size(); at += step, i = 0) {
                while (i < length &&
                       unit(content, at + i, step > 1) == unit(form.bytes, i, step > 1)) {
                    i += step;
                }
                if (i == length) {
                    return true;
                }
            }
            return false;
        };
        const TextFinder finder(forms, matchCase);
        FileList files;
        const std::uint32_t folder = files.AddFolder(tree.Root());
        std::vector<bool> expected;
        for (std::size_t k = 0; k < 25 && run + k < cases; ++k) {
            // Sizes around a chunk boundary or the end of the first or second read, random
            // from 300 bytes before it.
            const std::size_t boundary =
                below(3) ? READ_CHUNK_SIZE * below(5) : pool.readSize * (1 + below(2));
            const std::size_t from = boundary == 0 ? 0 : boundary - 300;
            std::string content(from + 1 + below(1000), '.');
            for (std::size_t i = from; i < content.size(); ++i) {
                content[i] = bytes[below(bytes.size())];
            }
            const SearchForm& form = forms[below(forms.size())];
            const std::size_t length = form.bytes.size();
            if (below(3) != 0 && length <= content.size()) {  // planted, across or not, any offset
                const std::size_t last = content.size() - length;
                const std::size_t across = boundary - std::min(boundary, below(length + 1));
                const std::size_t at = std::min(below(2) ? across : below(last + 1), last);
                for (std::size_t i = 0; i < length; ++i) {  // a high byte flipped is no match
                    const unsigned lower = static_cast<unsigned char>(form.bytes[i]) | 0x20u;
                    content[at + i] =
                        form.bytes[i] ^ (!matchCase && lower - 'a' < 26u && below(2) ? 0x20 : 0);
                }
            }
            expected.push_back(std::any_of(forms.begin(), forms.end(), [&](const SearchForm& f) {
                return occurs(content, f);
            }));
            const auto* data = reinterpret_cast<const unsigned char*>(content.data());
            EXPECT_EQ(finder.ContainsPortable(data, content.size(), 0), expected.back()) << run + k;
            // Rewritten in place: a file truncated to zero and written again is flushed to disk,
            // and under Wine making a file costs more than writing one.
            const std::string name = std::to_string(k);
            const std::string path = run == 0 ? tree.AddFile(name, "") : tree.Path(name).string();
            std::fstream(path, std::ios::in | std::ios::out | std::ios::binary) << content;
            std::filesystem::resize_file(path, content.size());
            files.AddFile(folder, name, static_cast<std::int64_t>(content.size()), 42);
        }
        files.Publish();
        WithinSeconds(10, "the outcomes of a pool's files", [&] {
            const std::atomic<std::uint32_t> stop{0};
            ContentReaders readers(files, finder, stop, pool);
            for (std::size_t k = 0; k < files.size(); ++k) {
                const bool found =
                    readers.Await(k, std::chrono::milliseconds(10), {}) == FileOutcome::kFound;
                differences += found != expected[k];
                EXPECT_EQ(found, expected[k])
                    << "case " << run + k << ": size " << files[k].size << ", forms "
                    << forms.size() << ", match case " << matchCase << ", " << pool.readers
                    << " readers of " << pool.readSize;
            }
        });
    }
    std::printf("fuzz: seed %llu, %llu cases, %llu differences\n", seed, cases, differences);
}
