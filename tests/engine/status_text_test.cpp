#include "engine/status_text.h"

#include <gtest/gtest.h>

#include <tuple>

// A text too long for the buffer is cut before the first character that would not fit whole:
// é takes 2 bytes, € 3 and the emoji 4.
TEST(FormatStatus, CutsTooLongTextsAtACharacterBoundary) {
    const std::tuple<std::size_t, std::string, std::size_t> cases[] = {
        {0, "😀", 6},     {255, "😀", 259}, {256, "😀", 256}, {257, "é", 259}, {258, "é", 258},
        {256, "€", 259}, {257, "€", 257}, {259, "€", 259}, {300, "", 259}};
    for (const auto& [ascii, character, kept] : cases) {
        const std::string text = std::string(ascii, 'n') + character + "yz";
        StatusBuffer buffer;
        FormatStatus(buffer, "%s", text.c_str());
        EXPECT_EQ(std::string(buffer), text.substr(0, kept)) << ascii << character;
    }
}
