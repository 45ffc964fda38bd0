#include "engine/text_finder.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/support/reference_search.h"

namespace {

const unsigned char* Bytes(const std::string& s) {
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Checks both ways of finding against the reference; returns the agreed offset.
std::size_t FindChecked(const std::string& data, const std::string& text, bool matchCase) {
    const TextFinder finder(text.data(), text.size(), matchCase);
    const std::size_t expected = ReferenceFind(data, text, matchCase);
    const std::size_t portable = finder.FindPortable(Bytes(data), data.size());
    const std::size_t vector = finder.FindVector(Bytes(data), data.size());
    EXPECT_EQ(portable, expected) << "portable, text '" << text << "' case " << matchCase;
    EXPECT_EQ(vector, expected) << "vector, text '" << text << "' case " << matchCase;
    EXPECT_EQ(finder.Find(Bytes(data), data.size()), expected);
    return expected;
}

std::string RandomText(std::mt19937& rng, const std::string& alphabet, std::size_t length) {
    std::string s(length, ' ');
    std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
    for (char& c : s) {
        c = alphabet[pick(rng)];
    }
    return s;
}

constexpr std::size_t kNone = TextFinder::kNotFound;

}  // namespace

TEST(TextFinder, FindsOccurrencesThatBeginInsideAFailedPartialMatch) {
    EXPECT_EQ(FindChecked("aab", "ab", true), 1u);
    EXPECT_EQ(FindChecked("aaab", "aab", true), 1u);
    EXPECT_EQ(FindChecked("xabc", "abc", true), 1u);
    EXPECT_EQ(FindChecked("aaa", "aa", true), 0u);
    EXPECT_EQ(FindChecked("abababc", "ababc", true), 2u);
}

TEST(TextFinder, FoldsOnlyTheLettersAToZ) {
    EXPECT_EQ(FindChecked("say HELLO", "Hello", false), 4u);
    EXPECT_EQ(FindChecked("say hello", "Hello", false), 4u);
    EXPECT_EQ(FindChecked("say hello", "Hello", true), kNone);
    EXPECT_EQ(FindChecked("x\xC4y", "\xE4", false), kNone);  // Latin-1 A-umlaut vs a-umlaut
    EXPECT_EQ(FindChecked("x\xC4y", "\xC4", false), 1u);
    EXPECT_EQ(FindChecked("[@]", "`", false), kNone);  // neighbours of the letter ranges
    EXPECT_EQ(FindChecked("a{", "A[", false), kNone);
    EXPECT_EQ(FindChecked("zZ", "Zz", false), 0u);
}

TEST(TextFinder, OneByteTextsAndTextsAsLongAsTheData) {
    EXPECT_EQ(FindChecked("xyzQ", "q", false), 3u);
    EXPECT_EQ(FindChecked("xyzQ", "q", true), kNone);
    EXPECT_EQ(FindChecked("abc", "abc", true), 0u);
    EXPECT_EQ(FindChecked("ab", "abc", true), kNone);
    EXPECT_EQ(FindChecked("", "a", true), kNone);
    const std::string zeros("\0\0\x01\0", 4);
    EXPECT_EQ(FindChecked(zeros, std::string("\x01\0", 2), true), 2u);
}

TEST(TextFinder, EveryPositionAroundVectorBlockEdges) {
    std::mt19937 rng(7);
    for (std::size_t length : {1u, 2u, 3u, 15u, 16u, 17u, 31u, 33u, 259u}) {
        const std::string text = RandomText(rng, "abcXYZ", length);
        for (std::size_t at = 0; at < 70; ++at) {
            std::string data = RandomText(rng, "ab", at + length + (at % 19));
            data.replace(at, length, text);
            for (bool matchCase : {true, false}) {
                const std::size_t found = FindChecked(data, text, matchCase);
                EXPECT_LE(found, at);
            }
        }
    }
}

TEST(TextFinder, AgreesWithThePlainSearchOnRandomInputs) {
    std::mt19937 rng(2024);
    const std::string alphabets[] = {"ab", "aAbB", "ab\xC4\xE4", "xyzXYZ0 ",
                                     std::string("\0\x01", 2)};
    std::uniform_int_distribution<int> coin(0, 1);
    for (int round = 0; round < 20000; ++round) {
        const std::string& alphabet = alphabets[round % 5];
        const std::size_t textLength = round % 97 == 0 ? 259 : 1 + rng() % 6;
        const std::string text = RandomText(rng, alphabet, textLength);
        std::string data = RandomText(rng, alphabet, rng() % 120);
        if (coin(rng) && data.size() >= text.size()) {
            // Plant the text, sometimes with flipped letter case.
            std::string planted = text;
            if (coin(rng)) {
                for (char& c : planted) {
                    c = static_cast<char>(
                        c ^ ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ? 0x20 : 0));
                }
            }
            data.replace(rng() % (data.size() - text.size() + 1), text.size(), planted);
        }
        FindChecked(data, text, coin(rng) != 0);
        if (HasFailure()) {
            return;
        }
    }
}

TEST(TextFinder, LongDataWithTheTextAtTheEnd) {
    std::string data(1 << 20, 'e');
    const std::string text = "needle in the haystack";
    data.replace(data.size() - text.size(), text.size(), "NEEDLE IN THE HAYSTACK");
    EXPECT_EQ(FindChecked(data, text, false), data.size() - text.size());
    EXPECT_EQ(FindChecked(data, text, true), kNone);
}
