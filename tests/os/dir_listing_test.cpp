#include "os/dir_listing.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/temp_tree.h"

namespace {

std::map<std::string, os::DirEntry> ListAll(const std::string& folder) {
    std::map<std::string, os::DirEntry> all;
    for (os::DirListing listing(folder); listing.Valid(); listing.Next()) {
        all[listing.Entry().name] = listing.Entry();
    }
    return all;
}

}  // namespace

TEST(DirListing, ReportsNamesKindsSizesAndTimes) {
    TempTree tree;
    tree.AddFile("small.txt", "12345");
    tree.AddFile("big.bin", std::string(70000, 'x'));
    tree.AddFile("empty", "");
    tree.AddFolder("folder.d");
    const std::uint64_t when = FileTimeFromUtc(2001, 9, 9, 1, 46, 40) + 5000000;
    tree.SetWriteTime("small.txt", when);

    const auto all = ListAll(tree.Root());
    ASSERT_EQ(all.size(), 6u);  // the four and the two dot entries
    EXPECT_TRUE(all.at(".").isDirectory);
    EXPECT_TRUE(all.at("..").isDirectory);
    EXPECT_TRUE(all.at("folder.d").isDirectory);
    EXPECT_FALSE(all.at("small.txt").isDirectory);
    EXPECT_EQ(all.at("small.txt").size, 5);
    EXPECT_EQ(all.at("small.txt").lastWriteTime, when);
    EXPECT_EQ(all.at("big.bin").size, 70000);
    EXPECT_EQ(all.at("empty").size, 0);
}

TEST(DirListing, FolderThatCannotBeListed) {
    TempTree tree;
    const std::string file = tree.AddFile("plain.txt", "x");
    EXPECT_FALSE(os::DirListing(tree.Root() + "/missing").Valid());
    EXPECT_FALSE(os::DirListing(file).Valid());
}

TEST(DirListing, MovingHandsTheEnumerationOver) {
    TempTree tree;
    tree.AddFile("a", "1");
    tree.AddFile("b", "2");
    os::DirListing first(tree.Root());
    ASSERT_TRUE(first.Valid());
    os::DirListing second(std::move(first));
    EXPECT_FALSE(first.Valid());
    int count = 0;
    for (; second.Valid(); second.Next()) {
        ++count;
    }
    EXPECT_EQ(count, 4);
    second.Next();  // past the end stays at the end
    EXPECT_FALSE(second.Valid());
}
