// Finds the search text in a block of bytes, optionally folding A-Z. Built once per search;
// the matcher uses it on each chunk it reads.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/search_model.h"

class TextFinder {
  public:
    static constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

    // length is 1 to 259.
    TextFinder(const char* text, std::size_t length, bool matchCase);

    std::size_t Length() const { return length_; }

    // Offset of the first occurrence in [data, data + size), or kNotFound.
    std::size_t Find(const unsigned char* data, std::size_t size) const;

    // The two ways Find can run; both give the same answers. Exposed for tests and benchmarks.
    std::size_t FindPortable(const unsigned char* data, std::size_t size) const;
    std::size_t FindVector(const unsigned char* data, std::size_t size) const;
    static bool HasVectorPath();

  private:
    bool MatchesAt(const unsigned char* p) const;

    unsigned char text_[kTextBufferSize] = {};  // folded when matchCase is off
    std::size_t length_ = 0;
    bool matchCase_ = true;
    // Two probe positions in the text whose bytes are rare in ordinary files;
    // a block is verified only where both bytes are present.
    std::size_t probe1_ = 0;
    std::size_t probe2_ = 0;
    unsigned char probe1Bytes_[2] = {};  // the byte and its other case (or itself)
    unsigned char probe2Bytes_[2] = {};
};
