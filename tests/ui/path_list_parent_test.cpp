#include <gtest/gtest.h>

#include "ui/path_list_rules.h"

TEST(SearchPathRules, AParentTakesTheTopmostRowItHoldsAndDropsTheOthers) {
    const std::vector<std::string> rows = {"X:\\Other", "c:\\data\\b", "C:\\Database",
                                           "C:\\DATA\\A\\Deep", "C:\\Data\\C"};
    const struct {
        std::string path;
        int row;
        std::vector<int> alsoCovered;
    } cases[] = {{"C:\\Data", 1, {3, 4}}, {"C:\\Data\\A", 3, {}}, {"c:", 1, {2, 3, 4}}};
    for (const auto& c : cases) {
        const PathOverlap overlap = FindPathOverlap(rows, c.path);
        EXPECT_EQ(overlap.kind, PathOverlap::Kind::kParentOfRow) << c.path;
        EXPECT_EQ(overlap.row, c.row) << c.path;
        EXPECT_EQ(overlap.alsoCovered, c.alsoCovered) << c.path;
    }
}
