#include "ui/path_list_rules.h"

#include <gtest/gtest.h>

TEST(SearchPathRules, OneTrailingBackslashGoesFromPathsLongerThanTwoAndNothingIsTrimmed) {
    const std::string cases[][2] = {
        {"C:\\Data\\", "C:\\Data"}, {"D:\\", "D:"}, {"C:\\Data\\\\", "C:\\Data\\"},
        {"\\\\", "\\\\"},           {"a\\", "a\\"}, {" C:\\Data ", " C:\\Data "}};
    for (const auto& c : cases) {
        std::string path = c[0];
        NormalizeSearchPath(path);
        EXPECT_EQ(path, c[1]) << c[0];
    }
}

// The listed rows are compared from the top with A-Z folded; the first row that decides counts.
TEST(SearchPathRules, OverlapWithTheListedFolders) {
    using K = PathOverlap::Kind;
    const struct {
        std::vector<std::string> rows;
        std::string path;
        PathOverlap::Kind kind;
        int row;
    } cases[] = {{{"C:\\Data"}, "c:\\data", K::kAlreadyIncluded, 0},
                 {{"X:\\Other", "C:\\Data"}, "C:\\DATA\\Sub", K::kAlreadyIncluded, 1},
                 {{"C:\\Data"}, "C:\\Database", K::kNone, -1},
                 {{"C:\\Data"}, "C:\\Dat", K::kNone, -1},
                 {{"D:"}, "D:\\Music", K::kAlreadyIncluded, 0},
                 {{"C:\\\xC4"}, "C:\\\xE4", K::kNone, -1},
                 {{"C:\\Data\\B", "X:\\Other", "C:\\Data\\A"}, "c:\\data", K::kParentOfRow, 0},
                 {{"X:\\Other", "C:\\Data\\A"}, "C:\\Data", K::kParentOfRow, 1},
                 {{"C:\\Database"}, "C:\\Data", K::kNone, -1},
                 {{"C:\\A\\B\\C", "C:\\A"}, "C:\\A\\B", K::kParentOfRow, 0},
                 {{"C:\\A", "C:\\A\\B\\C"}, "C:\\A\\B", K::kAlreadyIncluded, 0}};
    for (const auto& c : cases) {
        const PathOverlap overlap = FindPathOverlap(c.rows, c.path);
        EXPECT_EQ(std::make_pair(overlap.kind, overlap.row), std::make_pair(c.kind, c.row))
            << c.path;
    }
}
