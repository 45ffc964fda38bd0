#include "engine/content_matcher.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/recording_view.h"
#include "tests/support/reference_search.h"
#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

class MatcherTest : public ::testing::Test {
  protected:
    FileEntry Entry(const std::string& name, const std::string& content) {
        FileEntry e;
        e.fullPath = tree.AddFile(name, content);
        e.name = name;
        e.size = static_cast<std::int64_t>(content.size());
        e.lastWriteTime = 42;
        return e;
    }

    // Scans entry for text and tells whether it was found; checks the counters agree.
    bool Scan(const FileEntry& entry, const std::string& text, bool matchCase) {
        const TextFinder finder(text.data(), text.size(), matchCase);
        const std::uint64_t foundBefore = progress.foundCount;
        const std::size_t resultsBefore = state.resultSet.size();
        ScanFileForText(entry, finder, progress, state, view);
        const bool found = progress.foundCount == foundBefore + 1;
        EXPECT_EQ(state.resultSet.size(), resultsBefore + (found ? 1 : 0));
        if (found) {
            EXPECT_EQ(state.resultSet.back().fullPath, entry.fullPath);
            EXPECT_EQ(state.resultSet.back().lastWriteTime, entry.lastWriteTime);
        }
        return found;
    }

    TempTree tree;
    SearchState state;
    SearchProgress progress;
    RecordingView view;
};

std::string Filler(std::size_t n, char c = '.') {
    return std::string(n, c);
}

}  // namespace

TEST_F(MatcherTest, MatchesAcrossEveryChunkBoundary) {
    const std::string text = "needle";
    for (std::size_t boundary : {READ_CHUNK_SIZE, 2 * READ_CHUNK_SIZE, 3 * READ_CHUNK_SIZE}) {
        for (std::size_t before = 0; before <= text.size(); ++before) {
            std::string content = Filler(boundary + 50);
            content.replace(boundary - before, text.size(), text);
            const FileEntry e = Entry("f.bin", content);
            EXPECT_TRUE(Scan(e, text, true)) << "boundary " << boundary << " split " << before;
            EXPECT_TRUE(Scan(e, "NEEDLE", false));
            EXPECT_FALSE(Scan(e, "NEEDLE", true));
        }
    }
}

TEST_F(MatcherTest, AgreesWithThePlainSearchOnGeneratedFiles) {
    std::mt19937 rng(99);
    const std::size_t sizes[] = {1, 5, 4094, 4095, 4096, 4100, 8190, 8191, 8192, 9000};
    const std::string alphabets[] = {"ab", "aAbB", "a\xC4\xE4"};
    int round = 0;
    for (std::size_t size : sizes) {
        for (const std::string& alphabet : alphabets) {
            for (int k = 0; k < 6; ++k, ++round) {
                std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
                const std::size_t textLength = k == 5 ? 259 : 1 + rng() % 7;
                std::string text(textLength, ' ');
                for (char& c : text) {
                    c = alphabet[pick(rng)];
                }
                std::string content(size, ' ');
                for (char& c : content) {
                    c = alphabet[pick(rng)];
                }
                if (k % 2 == 0 && size >= textLength) {
                    // Plant it across the first chunk boundary where there is one.
                    const std::size_t at = size > READ_CHUNK_SIZE + textLength
                                               ? READ_CHUNK_SIZE - textLength / 2
                                               : rng() % (size - textLength + 1);
                    content.replace(at, textLength, text);
                }
                const FileEntry e = Entry("g" + std::to_string(round), content);
                for (bool matchCase : {true, false}) {
                    EXPECT_EQ(Scan(e, text, matchCase), ReferenceContains(content, text, matchCase))
                        << "size " << size << " text length " << textLength << " case "
                        << matchCase;
                }
            }
        }
    }
}

TEST_F(MatcherTest, FileAsLongAsTheTextIsReadAndAShorterOneIsNeverOpened) {
    const std::string text(259, 'q');
    EXPECT_TRUE(Scan(Entry("exact", text), text, true));

    FileEntry missingShort;
    missingShort.fullPath = tree.Path("does-not-exist").string();
    missingShort.name = "does-not-exist";
    missingShort.size = 258;
    EXPECT_FALSE(Scan(missingShort, text, true));
    EXPECT_EQ(progress.unaccessibleCount, 0u);

    missingShort.size = 259;  // now it is opened, and the open fails
    EXPECT_FALSE(Scan(missingShort, text, true));
    EXPECT_EQ(progress.unaccessibleCount, 1u);
}

TEST_F(MatcherTest, StopEndsTheFileAfterTheCurrentChunk) {
    std::string content = Filler(3 * READ_CHUNK_SIZE);
    content.replace(2 * READ_CHUNK_SIZE + 10, 4, "late");
    content.replace(10, 5, "early");
    const FileEntry e = Entry("s.bin", content);
    state.stopFlag = 1;
    EXPECT_TRUE(Scan(e, "early", true));  // the first chunk is still compared
    EXPECT_FALSE(Scan(e, "late", true));
    EXPECT_EQ(progress.unaccessibleCount, 0u);
}

TEST_F(MatcherTest, RecordedSizeBoundsTheReadAtTheEndOfAChunk) {
    std::string content = Filler(3 * READ_CHUNK_SIZE);
    content.replace(100, 4, "near");
    content.replace(READ_CHUNK_SIZE + 100, 3, "far");
    FileEntry grown = Entry("grown.bin", content);
    grown.size = 10;  // the file grew after the walk
    EXPECT_TRUE(Scan(grown, "near", true));
    EXPECT_FALSE(Scan(grown, "far", true));

    FileEntry shrunk = Entry("shrunk.bin", "tiny");
    shrunk.size = 100000;
    EXPECT_FALSE(Scan(shrunk, "missing", true));
    EXPECT_TRUE(Scan(shrunk, "tiny", true));
}

TEST_F(MatcherTest, LargeFileTextIsWrittenBetweenChunksWhenDue) {
    FileEntry e = Entry("big.bin", Filler(3 * READ_CHUNK_SIZE));
    progress.fileIndex = 1;
    progress.fileCount = 3;

    e.size = LARGE_FILE_THRESHOLD;  // not large: no text
    state.statusDueFlag = 1;
    EXPECT_FALSE(Scan(e, "x", true));
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(state.statusDueFlag.load(), 1u);

    e.size = LARGE_FILE_THRESHOLD + 1;  // recorded as large; the file on disk is short
    EXPECT_FALSE(Scan(e, "x", true));
    EXPECT_EQ(view.calls, (std::vector<std::string>{
                              "status [33.33%] Large File Search... [0.01%] [big.bin]", "pos 0"}));
    EXPECT_EQ(state.statusDueFlag.load(), 0u);
}

TEST_F(MatcherTest, LargeFileTextWithALongNameIsCutToTheBuffer) {
    const std::string longName(300, 'n');
    FileEntry e = Entry("short-on-disk", Filler(2 * READ_CHUNK_SIZE));
    e.name = longName;
    e.size = LARGE_FILE_THRESHOLD + 1;
    progress.fileIndex = 0;
    progress.fileCount = 1;
    state.statusDueFlag = 1;
    Scan(e, "x", true);
    const std::vector<std::string> texts = view.StatusTexts();
    ASSERT_EQ(texts.size(), 1u);
    const std::string prefix = "[0.00%] Large File Search... [0.01%] [";
    EXPECT_EQ(texts[0].size(), kTextBufferSize - 1);
    EXPECT_EQ(texts[0], prefix + longName.substr(0, kTextBufferSize - 1 - prefix.size()));
}

#ifdef _WIN32
TEST_F(MatcherTest, FileHeldExclusivelyByAnotherProgramIsUnaccessible) {
    const FileEntry e = Entry("locked.txt", "locked content");
    HANDLE exclusive = CreateFileA(e.fullPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(Scan(e, "content", true));
    EXPECT_EQ(progress.unaccessibleCount, 1u);
    CloseHandle(exclusive);
    EXPECT_TRUE(Scan(e, "content", true));
}

TEST_F(MatcherTest, FileOpenForWritingElsewhereIsStillSearched) {
    const FileEntry e = Entry("edited.txt", "being edited");
    HANDLE writer = CreateFileA(e.fullPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(Scan(e, "edited", true));
    CloseHandle(writer);
}
#endif
