// The records a search shares between the walk, the matcher, the ordering and the window:
// one file's record, the two sequences of them, the user's inputs and the two steering flags.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Every text buffer of the search (inputs, folders, cells, status texts): 259 bytes and a zero.
constexpr std::size_t kTextBufferSize = 260;

struct FileEntry {
    std::uint64_t lastWriteTime = 0;  // 100 ns units since 1601-01-01 UTC
    std::int64_t size = 0;            // at the time of the walk; at least 1 in every list
    std::string fullPath;
    std::string name;
};

using FileList = std::vector<FileEntry>;

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
    FileList resultSet;  // row i of the results view shows entry i: emptied before it changes
    std::atomic<std::uint32_t> stopFlag{0};
    std::atomic<std::uint32_t> statusDueFlag{0};
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
