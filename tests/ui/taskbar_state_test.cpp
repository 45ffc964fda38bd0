#include "ui/taskbar_state.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

// The button changes only when what it shows does: positions count in the content phase and
// the ordering, not while rows are added.
TEST(TaskbarTracker, ShowsEachPhaseAndPostsOnlyChanges) {
    using E = SearchEvent;
    const std::pair<E, int> events[] = {
        {E::kWalk, 0},      {E::kWalk, 0},      {E::kPercentRange, 0}, {E::kPosition, 0},
        {E::kPosition, 42}, {E::kPosition, 42}, {E::kPosition, 130},   {E::kRows, 0},
        {E::kPosition, 60}, {E::kRows, 0},      {E::kPosition, 100},   {E::kEnd, 0},
        {E::kEnd, 0},       {E::kPosition, 5}};
    TaskbarTracker tracker;
    std::string shown;
    for (const auto& [event, percent] : events) {
        if (const auto progress = tracker.On(event, percent)) {
            shown += std::to_string(static_cast<int>(progress->state)) + ":" +
                     std::to_string(progress->percent) + " ";
        }
    }
    EXPECT_EQ(shown, "1:0 2:0 2:42 2:100 1:0 0:0 ");
}
