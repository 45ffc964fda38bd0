#include "os/dir_listing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/temp_tree.h"

TEST(DirListing, ReportsNamesKindsSizesAndTimes) {
    TempTree tree;
    tree.AddFile("small.txt", "12345");
    tree.AddFile("big.bin", std::string(70000, 'x'));
    tree.AddFolder("folder.d");
    const std::uint64_t when = FileTimeFromUtc(2001, 9, 9, 1, 46, 40) + 5000000;  // and 0.5 s
    tree.SetWriteTime("small.txt", when);
    std::map<std::string, os::DirEntry> all;
    for (os::DirListing listing(tree.Root()); listing.Valid(); listing.Next()) {
        all[listing.Entry().name] = listing.Entry();
    }
    ASSERT_EQ(all.size(), 5u);  // the three and the two dot entries
    EXPECT_TRUE(all.at(".").isDirectory && all.at("..").isDirectory &&
                all.at("folder.d").isDirectory);
    EXPECT_FALSE(all.at("small.txt").isDirectory);
    EXPECT_EQ(all.at("small.txt").size, 5);
    EXPECT_EQ(all.at("small.txt").lastWriteTime, when);
    EXPECT_EQ(all.at("big.bin").size, 70000);
}

TEST(DirListing, MissingFolderOrAFileIsNotListedAndMovingHandsTheListingOver) {
    TempTree tree;
    const std::string file = tree.AddFile("a", "1");
    EXPECT_FALSE(os::DirListing(tree.Path("missing").string()).Valid());
    EXPECT_FALSE(os::DirListing(file).Valid());
    os::DirListing first(tree.Root());
    os::DirListing second(std::move(first));
    EXPECT_FALSE(first.Valid());
    int count = 0;
    for (; second.Valid(); second.Next()) {
        ++count;
    }
    EXPECT_EQ(count, 3);
}
