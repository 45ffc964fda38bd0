// Fills the results view from the ordered result set in batches, each sized so the dialog
// thread spends about the same short time on it, whatever a row costs on this system. The
// worker prepares each batch (icons, the columns' widest texts) while the window is free.
#pragma once

#include "engine/search_model.h"
#include "engine/search_view.h"

// The first batch is one row, so the list shows a result at once.
constexpr int kFirstRowBatch = 1;
// Each batch costs the window a fixed time (the list's scroll bar, the cross-thread call),
// about 13 ms under Wine, which on a busy machine can reach the budget alone; batches that
// shrank with it would take longest in all. A row itself costs the window next to nothing.
constexpr int kMinRowBatch = 256;
constexpr int kMaxRowBatch = 16384;
// Below the 50 ms a batch may hold the dialog thread up, so the window stays responsive.
constexpr double kRowBatchSeconds = 0.040;

// The dialog thread takes sent messages before input, timers and paint: batches sent back to
// back would keep those waiting. After each batch the worker rests this share of the time the
// window was busy with it.
constexpr double kRowBatchRest = 0.25;

// The size of the next batch after one of `rows` rows kept the window busy `seconds`: as many
// rows as fit the budget at that pace, but at most four times and at least half as many as
// before (one quick or slow measure is not trusted far), and within kMinRowBatch to
// kMaxRowBatch.
int NextRowBatch(int rows, double seconds);

// Writes "Populating List..." and adds a row for every element of resultSet, in order, with
// "Populating List... %d of %d" and the bar's position after a batch when a text is due.
// It has no stop test: after a stop it still lists every result found so far.
void PopulateResultList(SearchState& state, SearchView& view);
