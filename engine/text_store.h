// Texts kept once each until cleared, one after another in chunks of 1 MiB that never move, each
// ending in a zero and named by a 32-bit reference. What a million files' names cost is their
// bytes, not an allocation each.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/chunked_array.h"

class TextStore {
  public:
    using Ref = std::uint32_t;

    TextStore() = default;
    TextStore(const TextStore&) = delete;
    TextStore& operator=(const TextStore&) = delete;
    ~TextStore() { clear(); }

    // Appends text (at most a chunk long); throws std::bad_alloc when memory is out.
    Ref Add(std::string_view text);
    const char* Get(Ref ref) const {
        return chunks_[ref >> kOffsetBits].bytes + (ref & kOffsetMask);
    }
    void clear();

  private:
    static constexpr unsigned kOffsetBits = 20;
    static constexpr std::uint32_t kOffsetMask = (1u << kOffsetBits) - 1;
    struct Chunk {
        char* bytes = nullptr;
    };

    ChunkedArray<Chunk, 12> chunks_;        // 4,096 chunks of 1 MiB at most
    std::uint32_t used_ = kOffsetMask + 1;  // of the last chunk; full before the first
};
