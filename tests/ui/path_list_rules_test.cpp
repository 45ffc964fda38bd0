#include "ui/path_list_rules.h"

#include <gtest/gtest.h>

namespace {

std::string Normalized(std::string path) {
    NormalizeSearchPath(path);
    return path;
}

using Kind = PathOverlap::Kind;

}  // namespace

TEST(SearchPathRules, OneTrailingBackslashGoesFromPathsLongerThanTwo) {
    EXPECT_EQ(Normalized("C:\\Data\\"), "C:\\Data");
    EXPECT_EQ(Normalized("D:\\"), "D:");
    EXPECT_EQ(Normalized("C:\\Data\\\\"), "C:\\Data\\");
    EXPECT_EQ(Normalized("\\\\"), "\\\\");
    EXPECT_EQ(Normalized("a\\"), "a\\");
    EXPECT_EQ(Normalized(" C:\\Data "), " C:\\Data ");  // not trimmed
}

TEST(SearchPathRules, SameFolderOrOneInsideIsAlreadyIncluded) {
    const std::vector<std::string> rows = {"C:\\Data"};
    EXPECT_EQ(FindPathOverlap(rows, "c:\\data").kind, Kind::kAlreadyIncluded);
    EXPECT_EQ(FindPathOverlap(rows, "C:\\DATA").kind, Kind::kAlreadyIncluded);
    EXPECT_EQ(FindPathOverlap(rows, "C:\\Data\\Sub").kind, Kind::kAlreadyIncluded);
    EXPECT_EQ(FindPathOverlap(rows, "C:\\Database").kind, Kind::kNone);
    EXPECT_EQ(FindPathOverlap(rows, "C:\\Dat").kind, Kind::kNone);
    EXPECT_EQ(FindPathOverlap({"D:"}, "D:\\Music").kind, Kind::kAlreadyIncluded);
    // Only A-Z fold.
    EXPECT_EQ(FindPathOverlap({"C:\\\xC4"}, "C:\\\xE4").kind, Kind::kNone);
    EXPECT_EQ(FindPathOverlap({}, "C:\\Data").kind, Kind::kNone);
}

TEST(SearchPathRules, ParentReplacesTheTopmostRowInsideIt) {
    const std::vector<std::string> rows = {"C:\\Data\\B", "X:\\Other", "C:\\Data\\A"};
    const PathOverlap overlap = FindPathOverlap(rows, "c:\\data");
    EXPECT_EQ(overlap.kind, Kind::kParentOfRow);
    EXPECT_EQ(overlap.row, 0);
    EXPECT_EQ(FindPathOverlap({"X:\\Other", "C:\\Data\\A"}, "C:\\Data").row, 1);
    EXPECT_EQ(FindPathOverlap({"C:\\Database"}, "C:\\Data").kind, Kind::kNone);
}

TEST(SearchPathRules, TheFirstDecidingRowWins) {
    // The new folder is inside row 1 and a parent of row 0: row 0 comes first.
    const PathOverlap overlap = FindPathOverlap({"C:\\A\\B\\C", "C:\\A"}, "C:\\A\\B");
    EXPECT_EQ(overlap.kind, Kind::kParentOfRow);
    EXPECT_EQ(overlap.row, 0);
    EXPECT_EQ(FindPathOverlap({"C:\\A", "C:\\A\\B\\C"}, "C:\\A\\B").kind, Kind::kAlreadyIncluded);
}
