// A sequence kept in chunks that never move and never double: one thread appends, and others
// may read every element below a count published to them (with release and acquire) while it
// grows. Each chunk is asked of the allocation hook first.
#pragma once

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>

#include "engine/allocation.h"

template <typename T, unsigned kChunkBits = 16>
class ChunkedArray {
  public:
    static constexpr std::size_t kChunk = std::size_t{1} << kChunkBits;
    static constexpr std::size_t kMaxChunks = 4096;

    ChunkedArray() = default;
    ChunkedArray(const ChunkedArray&) = delete;
    ChunkedArray& operator=(const ChunkedArray&) = delete;
    ~ChunkedArray() { clear(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return table_[i >> kChunkBits][i & (kChunk - 1)]; }
    const T& operator[](std::size_t i) const { return table_[i >> kChunkBits][i & (kChunk - 1)]; }

    void push_back(const T& value) {
        if ((size_ & (kChunk - 1)) == 0) {
            AddChunk();
        }
        (*this)[size_] = value;
        ++size_;
    }

    // Adds count value-initialised elements (zeros), for kinds that can't be copied in.
    void Extend(std::size_t count) {
        for (const std::size_t end = size_ + count; size_ < end;) {
            if ((size_ & (kChunk - 1)) == 0) {
                AddChunk();
            }
            size_ = std::min(end, (size_ | (kChunk - 1)) + 1);
        }
    }

    void clear() {
        for (std::size_t c = 0; table_ && c < kMaxChunks && table_[c] != nullptr; ++c) {
            delete[] table_[c];
            table_[c] = nullptr;
        }
        size_ = 0;
    }

  private:
    void AddChunk() {
        const std::size_t chunk = size_ >> kChunkBits;
        if (chunk >= kMaxChunks) {
            throw std::bad_alloc();
        }
        CheckAllocation();
        if (!table_) {
            table_.reset(new T*[kMaxChunks]());
        }
        table_[chunk] = new T[kChunk]();
    }

    std::unique_ptr<T*[]> table_;  // a pointer per chunk, null past the last
    std::size_t size_ = 0;
};
