// What the taskbar button shows of a search, followed from the calls the search job makes on
// its window: indeterminate during the walk, the bar's percentage during the content phase and
// the ordering, indeterminate while the rows are added, nothing once the search has ended.
// Plain code: the window side only posts and shows what it returns.
#pragma once

#include <optional>

// The button's states, with the values of the taskbar's own flags (TBPF_*).
enum class TaskbarState { kNone = 0, kIndeterminate = 1, kNormal = 2 };

struct TaskbarProgress {
    TaskbarState state = TaskbarState::kNone;
    int percent = 0;  // with kNormal: 0 to 100
    bool operator==(const TaskbarProgress& o) const {
        return state == o.state && percent == o.percent;
    }
};

// The calls of the job that the button follows.
enum class SearchEvent {
    kWalk,          // the marquee starts
    kPercentRange,  // the bar takes 0 to 100
    kPosition,      // the bar's position
    kRows,          // a batch of rows
    kEnd,           // the inputs come back
};

// Follows one search; the worker owns it.
class TaskbarTracker {
  public:
    // The button's state after the event, or nothing when it stays as shown.
    std::optional<TaskbarProgress> On(SearchEvent event, int percent = 0);

  private:
    TaskbarProgress shown_;
};
