#include "results/result_ordering.h"

#include <cstdint>
#include <utility>

#include "engine/status_text.h"

void SortResultsByDate(int first, int last, SearchState& state, SearchView& view) {
    const std::uint64_t total =
        static_cast<std::uint64_t>(static_cast<std::int64_t>(last) * (last - 1) / 2);
    if (last - 1 <= first) {
        return;
    }
    std::uint64_t compared = 0;
    FileEntry* records = state.resultSet.data();
    for (int p = first; p <= last - 2; ++p) {
        std::uint64_t pivotTime = records[p].lastWriteTime;
        for (int j = p + 1; j <= last - 1; ++j) {
            if (StopRequested(state)) {
                return;
            }
            if (records[j].lastWriteTime > pivotTime) {
                std::swap(records[p], records[j]);
                pivotTime = records[p].lastWriteTime;
            }
            ++compared;
            if (TakeStatusDue(state)) {
                const float percent = PercentOf(compared, total);
                StatusBuffer text;
                FormatStatus(text, "Sorting Results... %.2f", percent);
                view.SetStatusText(text);
                view.SetProgressPos(static_cast<int>(percent));
            }
        }
    }
}
