#include "results/result_ordering.h"

#include <utility>
#include <vector>

#include "engine/allocation.h"
#include "engine/status_text.h"
#include "results/exchange_order.h"

void SortResultsByDate(int first, int last, SearchState& state, SearchView& view) {
    if (last - 1 <= first) {
        return;
    }
    const auto from = static_cast<std::size_t>(first);
    const auto count = static_cast<std::size_t>(last - first);
    CheckAllocation();
    std::vector<std::uint64_t> times(count);
    for (std::size_t i = 0; i < count; ++i) {
        times[i] = state.Found(from + i).lastWriteTime;
    }
    const auto order = ExchangeOrder(times, [&](std::uint64_t done, std::uint64_t total) {
        if (StopRequested(state)) {
            return false;
        }
        if (TakeStatusDue(state)) {
            const float percent = PercentOf(done, total);
            StatusBuffer text;
            FormatStatus(text, "Sorting Results... %.2f", percent);
            view.SetStatusText(text);
            view.SetProgressPos(static_cast<int>(percent));
        }
        return true;
    });
    if (!order || StopRequested(state)) {
        return;  // stopped, even at the last text: the records stay in the order found
    }
    // The times are no longer needed: their room takes the ordered numbers.
    for (std::size_t i = 0; i < count; ++i) {
        times[i] = state.resultSet[from + (*order)[i]];
    }
    for (std::size_t i = 0; i < count; ++i) {
        state.resultSet[from + i] = static_cast<std::uint32_t>(times[i]);
    }
}
