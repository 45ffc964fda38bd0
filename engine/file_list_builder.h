// The walk: turns one search folder into candidate files appended to the file list.
#pragma once

#include <string>

#include "engine/folder_loop_guard.h"
#include "engine/search_model.h"
#include "engine/search_view.h"

// True for the names "." and ".." only.
bool IsDotEntry(const char* name);

// An empty filter passes every name; otherwise the name's last extension, dot included,
// must equal the filter with A-Z folded.
bool MatchesExtensionFilter(const char* name, const char* filter);

// Walks folder depth first and appends every non-empty file that passes the filter; guard,
// shared by all search folders of one search, keeps any folder from being walked twice.
// Returns as soon as stopFlag is seen; writes "Building File List... %u" when due.
void BuildFileList(const std::string& folder, SearchState& state, SearchView& view,
                   FolderLoopGuard& guard);
// The same for a search of folder alone.
void BuildFileList(const std::string& folder, SearchState& state, SearchView& view);
