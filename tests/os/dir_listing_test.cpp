#include "os/dir_listing.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/support/temp_tree.h"

// Kinds, links and missing folders are covered by the walk's tests.
TEST(DirListing, ReportsSizesAboveFourGiBAndSubSecondTimes) {
    TempTree tree;
    tree.AddFile("small.txt", "12345");
    std::filesystem::resize_file(tree.AddFile("big.bin", ""), 5ULL << 30);  // sparse, above 4 GiB
    const std::uint64_t when = FileTimeFromUtc(2001, 9, 9, 1, 46, 40) + 5000000;  // and 0.5 s
    tree.SetWriteTime("small.txt", when);
    std::map<std::string, os::DirEntry> all;
    std::vector<os::DirEntry> entries;
    ASSERT_TRUE(os::ListFolder(tree.Root(), entries, std::atomic<std::uint32_t>{0}));
    for (const os::DirEntry& entry : entries) {
        all[entry.name] = entry;
    }
    ASSERT_EQ(all.size(), 2u);  // the two, without the dot entries
    EXPECT_EQ(all.at("small.txt").size, 5);
    EXPECT_EQ(all.at("small.txt").lastWriteTime, when);
    EXPECT_EQ(all.at("big.bin").size, 5LL << 30);
    // Stop ends a listing between entries, however long it is.
    EXPECT_TRUE(os::ListFolder(tree.Root(), entries, std::atomic<std::uint32_t>{1}));
    EXPECT_TRUE(entries.empty());
}
