#include "job/row_batches.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "engine/status_text.h"

int NextRowBatch(int rows, double seconds) {
    const double grown = rows * 4.0;
    // A batch too quick for the clock says only that rows are cheap.
    const double paced = seconds > 0 ? rows * (kRowBatchSeconds / seconds) : grown;
    const double next = std::clamp(paced, rows / 2.0, grown);
    return static_cast<int>(std::clamp(next, double{kMinRowBatch}, double{kMaxRowBatch}));
}

void PopulateResultList(SearchState& state, SearchView& view) {
    view.SetStatusText("Populating List...");
    const int count = static_cast<int>(state.resultSet.size());
    int batch = kFirstRowBatch;
    for (int row = 0; row < count;) {
        const int rows = std::min(batch, count - row);
        const std::chrono::duration<double> held(
            view.AddResultRows(state, static_cast<std::size_t>(row), rows));
        batch = NextRowBatch(rows, held.count());
        row += rows;
        if (row < count) {
            std::this_thread::sleep_for(held * kRowBatchRest);
        }
        if (TakeStatusDue(state)) {
            const int last = row - 1;  // the row just added, counted from zero
            StatusBuffer text;
            FormatStatus(text, "Populating List... %d of %d", last, count);
            view.SetStatusText(text);
            view.SetProgressPos(static_cast<int>(
                PercentOf(static_cast<std::uint64_t>(last), static_cast<std::uint64_t>(count))));
        }
    }
}
