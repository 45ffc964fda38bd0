// Reading is covered by the content matcher's tests; the program never moves a file.
#include "os/read_only_file.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include <string>

#include "tests/support/temp_tree.h"

// Others may write and delete a file while it is read.
TEST(ReadOnlyFile, SharesWritingAndDeletingWithOtherPrograms) {
    TempTree tree;
    const std::string path = tree.AddFile("shared.txt", "content");
    os::ReadOnlyFile held(path);
    ASSERT_TRUE(held.IsOpen());
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    CloseHandle(writer);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}
#endif
