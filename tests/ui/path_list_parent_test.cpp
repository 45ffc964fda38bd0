#include <gtest/gtest.h>

#include "ui/path_list_rules.h"

TEST(SearchPathRules, AParentTakesTheTopmostRowItHoldsAndDropsTheOthers) {
    struct Case {
        std::vector<std::string> rows;
        std::string path;
        int row;
        std::vector<int> alsoCovered;
    };
    const Case cases[] = {
        {{"C:\\Data\\B", "C:\\Data\\A"}, "C:\\Data", 0, {1}},
        {{"X:\\Other", "c:\\data\\b", "C:\\Database", "C:\\DATA\\A\\Deep", "C:\\Data\\C"},
         "C:\\Data",
         1,
         {3, 4}},
        {{"C:\\Data\\A", "X:\\Other"}, "C:\\Data", 0, {}},
        {{"D:\\Music", "D:\\Video"}, "D:", 0, {1}},
    };
    for (const Case& c : cases) {
        const PathOverlap overlap = FindPathOverlap(c.rows, c.path);
        EXPECT_EQ(overlap.kind, PathOverlap::Kind::kParentOfRow) << c.rows[0];
        EXPECT_EQ(overlap.row, c.row) << c.rows[0];
        EXPECT_EQ(overlap.alsoCovered, c.alsoCovered) << c.rows[0];
    }
    // A folder already included decides alone.
    EXPECT_TRUE(FindPathOverlap({"C:\\Data", "C:\\Data\\A"}, "C:\\Data").alsoCovered.empty());
}
