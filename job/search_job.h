// One whole search, from the user's inputs to the final counts, run on the worker thread.
// It reaches the window only through the SearchView.
#pragma once

#include "engine/content_readers.h"
#include "engine/search_model.h"
#include "engine/search_view.h"

// The worker thread's body: clears stopFlag, disables the inputs and arms the status tick
// around the job, then undoes both and clears stopFlag again.
void RunSearchWorker(SearchState& state, SearchView& view, const SearchOptions& options = {});

// Snapshot of the inputs, walk, content phase, ordering, rows and final text. A stop ends
// the walk or the content phase; after the content phase the found files are still shown.
// The content phase reads files on options.readers threads, or with none on the calling one;
// what is shown does not depend on it.
void RunSearchJob(SearchState& state, SearchView& view, const SearchOptions& options = {});
