// Finds any form of the search text in a block of bytes, optionally folding A-Z. Built once per
// search; the matcher uses it on each chunk it reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/search_forms.h"

// One form as the finder keeps it.
struct FinderForm {
    unsigned char text[kMaxFormLength];  // folded when matchCase is off
    std::size_t length;
    bool utf16;
    // Two probe positions in the form whose bytes are rare in ordinary files; a start is
    // verified only where both bytes are present.
    std::size_t probe1;
    std::size_t probe2;
    unsigned char probe1Bytes[2];  // the byte and its other case (or itself)
    unsigned char probe2Bytes[2];
};

class TextFinder {
  public:
    // forms: 1 to 3, each 1 to kMaxFormLength bytes.
    TextFinder(const std::vector<SearchForm>& forms, bool matchCase);

    std::size_t Shortest() const { return shortest_; }
    std::size_t Longest() const { return longest_; }

    // True when some form occurs in [data, data + size). offset is data's offset in the file,
    // which tells the UTF-16 form's even offsets.
    bool Contains(const unsigned char* data, std::size_t size, std::uint64_t offset) const;

    // The two ways Contains can run; both give the same answers. Exposed for tests and benchmarks.
    bool ContainsPortable(const unsigned char* data, std::size_t size, std::uint64_t offset) const;
    bool ContainsVector(const unsigned char* data, std::size_t size, std::uint64_t offset) const;
    static bool HasVectorPath();
    // Set once at start-up: false where the processor lacks SSE2.
    static void AllowVectorPath(bool allowed);

  private:
    std::vector<FinderForm> forms_;
    bool matchCase_;
    std::size_t shortest_ = 0;
    std::size_t longest_ = 0;
};
