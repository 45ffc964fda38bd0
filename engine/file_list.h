// The files one search lists: each folder's path kept once, each file a compact record of its
// folder, its name in a text store, its size and its time. Records and texts sit in chunks that
// never move, so other threads may read the files published so far while the walk adds more.
// One thread adds; any thread reads below Published(), the adding one below size().
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/chunked_array.h"
#include "engine/text_store.h"

struct FileRecord {
    std::uint64_t lastWriteTime = 0;  // 100 ns units since 1601-01-01 UTC
    std::int64_t size = 0;            // at the time of the walk; at least 1 in every list
    std::uint32_t folder = 0;         // the folder's number in the list
    TextStore::Ref name = 0;
};

class FileList {
  public:
    FileList() = default;
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    // The adding thread. A folder's path is given whole, without a separator at its end.
    std::uint32_t AddFolder(std::string_view path);
    void AddFile(std::uint32_t folder, std::string_view name, std::int64_t size,
                 std::uint64_t lastWriteTime);
    // Lets other threads read every file added so far.
    void Publish() { published_.store(records_.size(), std::memory_order_release); }
    void clear();

    std::size_t size() const { return records_.size(); }
    bool empty() const { return records_.empty(); }
    std::size_t Published() const { return published_.load(std::memory_order_acquire); }
    const FileRecord& operator[](std::size_t i) const { return records_[i]; }

    // A file's texts: its name, and its folder's path joined with it by the separator.
    std::string_view Name(const FileRecord& file) const { return texts_.Get(file.name); }
    std::string FullPath(const FileRecord& file) const;
    // The same into a buffer kept by the caller, so a reader allocates once.
    void FullPath(const FileRecord& file, std::string& out) const;

  private:
    TextStore texts_;
    ChunkedArray<TextStore::Ref, 12> folders_;
    ChunkedArray<FileRecord> records_;
    std::atomic<std::size_t> published_{0};
};
