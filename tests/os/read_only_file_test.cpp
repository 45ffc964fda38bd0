#include "os/read_only_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_tree.h"

#ifdef _WIN32
#include <windows.h>
#endif

TEST(ReadOnlyFile, ReadsInPiecesToTheEnd) {
    TempTree tree;
    const std::string content = std::string(5000, 'a') + "tail";
    const std::string path = tree.AddFile("data.bin", content);
    os::ReadOnlyFile file(path);
    ASSERT_TRUE(file.IsOpen());
    std::string got;
    char buffer[4095];
    long n;
    while ((n = file.Read(buffer, sizeof buffer)) > 0) {
        EXPECT_LE(n, 4095);
        got.append(buffer, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(n, 0);
    EXPECT_EQ(got, content);
}

TEST(ReadOnlyFile, MissingFileAndMovedFromFileAreNotOpen) {
    TempTree tree;
    os::ReadOnlyFile missing(tree.Path("nothing").string());
    EXPECT_FALSE(missing.IsOpen());
    char c;
    EXPECT_EQ(missing.Read(&c, 1), -1);

    os::ReadOnlyFile first(tree.AddFile("x", "x"));
    os::ReadOnlyFile second(std::move(first));
    EXPECT_FALSE(first.IsOpen());
    EXPECT_TRUE(second.IsOpen());
    EXPECT_EQ(second.Read(&c, 1), 1);
}

#ifdef _WIN32
// While Scourwell reads a file, other programs can still open, save and delete it.
TEST(ReadOnlyFile, OthersCanWriteAndDeleteWhileItIsHeld) {
    TempTree tree;
    const std::string path = tree.AddFile("shared.txt", "content");
    os::ReadOnlyFile held(path);
    ASSERT_TRUE(held.IsOpen());

    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(writer, INVALID_HANDLE_VALUE);
    if (writer != INVALID_HANDLE_VALUE) {
        CloseHandle(writer);
    }
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    if (reader != INVALID_HANDLE_VALUE) {
        CloseHandle(reader);
    }
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}

TEST(ReadOnlyFile, ExclusiveHolderKeepsItOut) {
    TempTree tree;
    const std::string path = tree.AddFile("mine.txt", "content");
    HANDLE exclusive =
        CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(os::ReadOnlyFile(path).IsOpen());
    CloseHandle(exclusive);
    EXPECT_TRUE(os::ReadOnlyFile(path).IsOpen());
}
#endif
