#include "ui/taskbar_state.h"

#include <algorithm>

std::optional<TaskbarProgress> TaskbarTracker::On(SearchEvent event, int percent) {
    TaskbarProgress next = shown_;
    switch (event) {
        case SearchEvent::kWalk:
        case SearchEvent::kRows:
            next = {TaskbarState::kIndeterminate, 0};
            break;
        case SearchEvent::kPercentRange:
            next = {TaskbarState::kNormal, 0};
            break;
        case SearchEvent::kPosition:
            // While rows are added the bar counts them, the button does not.
            if (shown_.state == TaskbarState::kNormal) {
                next.percent = std::clamp(percent, 0, 100);
            }
            break;
        case SearchEvent::kEnd:
            next = {};
            break;
    }
    if (next == shown_) {
        return std::nullopt;
    }
    shown_ = next;
    return next;
}
