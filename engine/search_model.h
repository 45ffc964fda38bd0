// The records a search shares between the walk, the matcher, the ordering and the window:
// the file list, the found files, the user's inputs and the two steering flags.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/chunked_array.h"
#include "engine/file_list.h"

// Every text buffer of the search (inputs, folders, cells, status texts): 259 bytes and a zero.
constexpr std::size_t kTextBufferSize = 260;

// The found files, as their numbers in the file list, in the order the results show them.
using ResultSet = ChunkedArray<std::uint32_t>;

// The search text as typed, and its bytes in the ANSI code page.
struct TypedText {
    std::u16string units;             // at most 259, a surrogate pair never split
    std::optional<std::string> ansi;  // absent when some character has no byte form there
};

// The user's inputs, taken once at the start of a search.
struct SearchSettings {
    TypedText searchText;
    char extensionFilter[kTextBufferSize] = {};
    int matchCase = 0;  // non-zero: bytes compare as they are; zero: A-Z fold to a-z
};

// The counters of one run; the job owns them.
struct SearchProgress {
    std::uint64_t fileCount = 0;
    std::uint64_t fileIndex = 0;  // zero-based position of the file being searched
    std::uint64_t foundCount = 0;
    std::uint64_t unaccessibleCount = 0;
};

// The search's shared state. The worker writes the sequences and settings while a search
// runs; the dialog thread touches only the two flags then, and reads the result set's shown
// rows while the worker only reads it too.
struct SearchState {
    SearchSettings settings;
    FileList fileList;
    ResultSet resultSet;  // row i of the results view shows file resultSet[i]: emptied first
    std::atomic<std::uint32_t> stopFlag{0};
    std::atomic<std::uint32_t> statusDueFlag{0};

    // Row `row` of the results: its record and its texts. Every part that shows a found file
    // or hands it on reads it here.
    const FileRecord& Found(std::size_t row) const { return fileList[resultSet[row]]; }
    std::string_view FoundName(std::size_t row) const { return fileList.Name(Found(row)); }
    std::string FoundPath(std::size_t row) const { return fileList.FullPath(Found(row)); }
};

inline bool StopRequested(const SearchState& state) {
    return state.stopFlag.load(std::memory_order_relaxed) != 0;
}

// True when a progress text is due; clears the flag first, so one tick allows one text.
inline bool TakeStatusDue(SearchState& state) {
    if (state.statusDueFlag.load(std::memory_order_relaxed) == 0) {
        return false;
    }
    state.statusDueFlag.store(0, std::memory_order_relaxed);
    return true;
}
