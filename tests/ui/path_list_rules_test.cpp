#include "ui/path_list_rules.h"

#include <gtest/gtest.h>

#include <tuple>

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

TEST(SearchPathRules, ADriveAloneIsItsRootAndNothingElseChanges) {
    for (const auto& [given, full] : std::initializer_list<std::pair<std::string, std::string>>{
             {"D:", "D:\\"}, {"z:", "z:\\"}, {"D:x", "D:x"}, {"1:", "1:"}, {"D", "D"}}) {
        EXPECT_EQ(DriveAloneAsRoot(given), full);
    }
}

// The listed rows are compared from the top with A-Z folded; the first row that decides counts.
// A parent takes the topmost row it holds and drops the others.
TEST(SearchPathRules, OverlapWithTheListedFolders) {
    using K = PathOverlap::Kind;
    const std::vector<std::string> five = {"X:\\Other", "c:\\data\\b", "C:\\Database",
                                           "C:\\DATA\\A\\Deep", "C:\\Data\\C"};
    // Rows, the new path, and the overlap: kind, row and the other rows covered.
    const std::tuple<std::vector<std::string>, std::string, K, int, std::vector<int>> cases[] = {
        {{"C:\\Data"}, "c:\\data", K::kAlreadyIncluded, 0, {}},
        {{"X:\\Other", "C:\\Data"}, "C:\\DATA\\Sub", K::kAlreadyIncluded, 1, {}},
        {{"C:\\Data"}, "C:\\Database", K::kNone, -1, {}},
        {{"C:\\Data"}, "C:\\Dat", K::kNone, -1, {}},
        {{"D:"}, "D:\\Music", K::kAlreadyIncluded, 0, {}},
        {{"C:\\\xC4"}, "C:\\\xE4", K::kNone, -1, {}},
        {{"C:\\Database"}, "C:\\Data", K::kNone, -1, {}},
        {{"C:\\A\\B\\C", "C:\\A"}, "C:\\A\\B", K::kParentOfRow, 0, {}},
        {{"C:\\A", "C:\\A\\B\\C"}, "C:\\A\\B", K::kAlreadyIncluded, 0, {}},
        {five, "C:\\Data", K::kParentOfRow, 1, {3, 4}},
        {five, "C:\\Data\\A", K::kParentOfRow, 3, {}},
        {five, "c:", K::kParentOfRow, 1, {2, 3, 4}}};
    for (const auto& [rows, path, kind, row, alsoCovered] : cases) {
        const PathOverlap overlap = FindPathOverlap(rows, path);
        EXPECT_EQ(std::tie(overlap.kind, overlap.row, overlap.alsoCovered),
                  std::tie(kind, row, alsoCovered))
            << path;
    }
}
