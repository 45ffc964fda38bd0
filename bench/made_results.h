// Found files made up for the window's benchmarks: n of them in 97 folders of a drive's depth,
// names of a few kinds (every third with a comma), random sizes and times.
#pragma once

#include <random>
#include <string>

#include "engine/search_model.h"

inline void MakeFoundFiles(SearchState& state, std::size_t n) {
    std::mt19937 rng(static_cast<unsigned>(n));
    const char* extensions[] = {".txt", ", draft.docx", ".h", ".log", ".dat", ".xml"};
    state.fileList.clear();
    state.resultSet.clear();
    for (std::uint32_t f = 0; f < 97; ++f) {
        state.fileList.AddFolder("C:\\Users\\someone\\Documents\\project\\folder" +
                                 std::to_string(f));
    }
    for (std::size_t i = 0; i < n; ++i) {
        state.resultSet.push_back(static_cast<std::uint32_t>(i));
        state.fileList.AddFile(static_cast<std::uint32_t>(i % 97),
                               "file_" + std::to_string(rng() % 100000) + extensions[i % 6],
                               1 + static_cast<std::int64_t>(rng() % 5000000),
                               130000000000000000ULL + (rng() % 1000000) * 10000000ULL);
    }
    state.fileList.Publish();
}
