// Decides whether one candidate file holds the search text, and records the outcome.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/search_model.h"
#include "engine/search_view.h"
#include "engine/text_finder.h"

constexpr std::size_t READ_CHUNK_SIZE = 4095;
constexpr std::int64_t LARGE_FILE_THRESHOLD =
    52428800;  // 50 MiB: longer files report their own progress

// Reads entry in chunks until the text is found, the recorded size is read, the file ends
// or stopFlag is seen between chunks. A found file is copied to resultSet and counted;
// a file that can't be opened is counted as unaccessible; a file shorter than the text
// is not opened.
void ScanFileForText(const FileEntry& entry, const TextFinder& finder, SearchProgress& progress,
                     SearchState& state, SearchView& view);
