#include "engine/text_finder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace {

constexpr std::size_t kNone = TextFinder::kNotFound;

// Both ways of finding must give the expected offset.
void ExpectFound(const std::string& data, const std::string& text, bool matchCase, std::size_t at) {
    const TextFinder finder(text.data(), text.size(), matchCase);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
    EXPECT_EQ(finder.FindPortable(bytes, data.size()), at) << "portable: " << text;
    EXPECT_EQ(finder.FindVector(bytes, data.size()), at) << "vector: " << text;
}

struct Case {
    std::string data, text;
    bool matchCase;
    std::size_t at;
};

// Each case alone, and padded so that the vector path meets it inside a full block.
template <std::size_t N>
void ExpectCases(const Case (&cases)[N]) {
    const std::string pad(20, '.');
    for (const Case& c : cases) {
        ExpectFound(c.data, c.text, c.matchCase, c.at);
        ExpectFound(pad + c.data + pad, c.text, c.matchCase, c.at == kNone ? kNone : c.at + 20);
    }
}

}  // namespace

TEST(TextFinder, FindsTheFirstOccurrenceAlsoInsideAFailedPartialMatch) {
    const Case cases[] = {{"aab", "ab", true, 1},        {"aaab", "aab", true, 1},
                          {"xabc", "abc", true, 1},      {"aaa", "aa", true, 0},
                          {"abababc", "ababc", true, 2}, {"abc", "abc", true, 0},
                          {"ab", "abc", true, kNone},    {"", "a", true, kNone}};
    ExpectCases(cases);
}

// Latin-1 A-umlaut (C4) and a-umlaut (E4), and the neighbours of the letter ranges, stay apart.
TEST(TextFinder, FoldsOnlyTheLettersAToZ) {
    const Case cases[] = {{"say HELLO", "Hello", false, 4}, {"say hello", "Hello", true, kNone},
                          {"xyzQ", "q", false, 3},          {"zZ", "Zz", false, 0},
                          {"x\xC4y", "\xE4", false, kNone}, {"x\xE4y", "\xC4", false, kNone},
                          {"x\xC4y", "\xC4", false, 1},     {"[@]", "`", false, kNone},
                          {"a{", "A[", false, kNone}};
    ExpectCases(cases);
}

// A small comparison with a plain search, enough to meet candidates that fail after the quick
// check; the content matcher's fuzz test compares more widely.
TEST(TextFinder, AgreesWithAPlainSearchOnRandomInputs) {
    std::mt19937 rng(2024);
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
        std::string text(1 + rng() % 8, ' '), data(rng() % 100, ' ');
        for (std::string* s : {&text, &data}) {
            for (char& c : *s) {
                c = "aAbB"[rng() % 4];
            }
        }
        const bool matchCase = rng() % 2 == 0;
        auto fold = [&](char c) { return !matchCase && c >= 'A' && c <= 'Z' ? c + 32 : c; };
        const auto plain = std::search(data.begin(), data.end(), text.begin(), text.end(),
                                       [&](char a, char b) { return fold(a) == fold(b); });
        ExpectFound(data, text, matchCase,
                    plain == data.end() ? kNone : static_cast<std::size_t>(plain - data.begin()));
    }
}
