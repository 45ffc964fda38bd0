// A temporary folder tree on the real file system, removed when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "engine/file_list.h"

class TempTree {
  public:
    TempTree();
    ~TempTree();

    // The root as the engine takes folder texts: native separators, no trailing one.
    std::string Root() const { return root_.string(); }
    std::filesystem::path Path(const std::string& relative) const { return root_ / relative; }

    void AddFolder(const std::string& relative) const;
    // Writes content (folders made as needed) and returns the full path text.
    std::string AddFile(const std::string& relative, const std::string& content) const;
    // Sets the last-write time to the given count of 100 ns units since 1601-01-01 UTC;
    // defined per platform in file_times_*.cpp.
    void SetWriteTime(const std::string& relative, std::uint64_t fileTime) const;

  private:
    std::filesystem::path root_;
};

// Lists the file at path (size as the walk would have seen it) in files, published; returns its
// number there.
std::size_t ListFile(FileList& files, const std::string& path, std::int64_t size,
                     std::uint64_t lastWriteTime = 42);

// A FILETIME count for a UTC calendar time.
std::uint64_t FileTimeFromUtc(int year, int month, int day, int hour, int minute, int second = 0);
