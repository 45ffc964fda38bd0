// The walk: turns one search folder into candidate files appended to the file list, in one
// order whoever lists the folders: each folder's entries in the platform's order, depth first.
#pragma once

#include <functional>
#include <string>

#include "engine/folder_loop_guard.h"
#include "engine/folder_prefetch.h"
#include "engine/search_model.h"
#include "engine/search_view.h"

// An empty filter passes every name; otherwise the name's last extension, dot included,
// must equal the filter with A-Z folded.
bool MatchesExtensionFilter(const char* name, const char* filter);

// How far ahead of the walk its listers may run, in folders.
constexpr std::size_t kFoldersAhead = 256;

// Walks folder depth first and appends every non-empty file that passes the filter; guard,
// shared by all search folders of one search, keeps any folder from being walked twice, and
// decides in walk order. prefetch lists the folders the walk will enter soon; what it listed
// for a folder the guard refuses is dropped. After each folder's files the list is published
// and `published` runs. Returns as soon as stopFlag is seen; writes "Building File List... %u"
// when due.
void BuildFileList(const std::string& folder, SearchState& state, SearchView& view,
                   FolderLoopGuard& guard, FolderPrefetch& prefetch,
                   const std::function<void()>& published = nullptr);
// The same for a search of folder alone, on the calling thread.
void BuildFileList(const std::string& folder, SearchState& state, SearchView& view);
