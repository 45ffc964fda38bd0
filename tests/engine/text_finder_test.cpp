#include "engine/text_finder.h"

#include <gtest/gtest.h>

#include <tuple>

constexpr std::size_t kNone = TextFinder::kNotFound;

// Both ways of finding give the offset, also in padded data, where the vector path meets the
// text inside a full block. Latin-1 A-umlaut (C4) and a-umlaut (E4), and the neighbours of the
// letter ranges, stay apart when folding. At 15, the last candidate of a vector block, after
// candidates that fail.
TEST(TextFinder, FindsTheFirstOccurrenceFoldingOnlyTheLettersAToZ) {
    const std::tuple<std::string, std::string, bool, std::size_t> cases[] = {
        {"aab", "ab", true, 1},           {"aaab", "aab", true, 1},
        {"abababc", "ababc", true, 2},    {"aaa", "aa", true, 0},
        {"ab", "abc", true, kNone},       {"", "a", true, kNone},
        {"say HELLO", "Hello", false, 4}, {"say hello", "Hello", true, kNone},
        {"xyzQ", "q", false, 3},          {"zZ", "Zz", false, 0},
        {"x\xC4y", "\xE4", false, kNone}, {"x\xE4y", "\xC4", false, kNone},
        {"x\xC4y", "\xC4", false, 1},     {"[@]", "`", false, kNone},
        {"a{", "A[", false, kNone},       {"xbcaxcabx......abc", "abc", true, 15}};
    const std::string pad(20, '.');
    for (auto [data, text, matchCase, at] : cases) {
        const TextFinder finder(text.data(), text.size(), matchCase);
        for (const std::string& padded : {data, pad + data + pad}) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(padded.data());
            EXPECT_EQ(finder.FindPortable(bytes, padded.size()), at) << "portable: " << text;
            EXPECT_EQ(finder.FindVector(bytes, padded.size()), at) << "vector: " << text;
            at = at == kNone ? kNone : at + 20;
        }
    }
}
