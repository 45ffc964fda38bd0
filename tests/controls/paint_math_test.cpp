#include <gtest/gtest.h>

#include "controls/gradient_math.h"
#include "controls/progress_bar_state.h"

namespace {

std::vector<Colour> ColoursOf(const std::vector<GradientLine>& lines) {
    std::vector<Colour> colours;
    for (const GradientLine& line : lines) {
        colours.push_back(line.colour);
    }
    return colours;
}

Colour Grey(int level) {
    return MakeRgb(level, level, level);
}

ProgressBarState BarAt(std::int32_t position) {
    ProgressBarState state;
    state.SetPosition(position);
    return state;
}

ProgressBarState MarqueeAtPhase(int phase) {
    ProgressBarState state;
    state.SetMarquee(true);
    for (int i = 0; i < phase; ++i) {
        state.AdvancePhase();
    }
    return state;
}

}  // namespace

TEST(Gradient, RowsStepEvenlyTowardTheSecondColourAndStopOneStepShort) {
    const auto lines = GradientLines(GradientKind::kRows, {0, 0, 10, 4}, Grey(252), Grey(218));
    EXPECT_EQ(ColoursOf(lines), (std::vector<Colour>{Grey(252), Grey(244), Grey(235), Grey(227)}));
    // Channels move separately, and a rising channel rounds toward the first colour too.
    const auto mixed = GradientLines(GradientKind::kColumns, {0, 0, 3, 1}, MakeRgb(0, 200, 10),
                                     MakeRgb(10, 100, 255));
    EXPECT_EQ(ColoursOf(mixed), (std::vector<Colour>{MakeRgb(0, 200, 10), MakeRgb(3, 167, 91),
                                                     MakeRgb(6, 134, 173)}));
    EXPECT_EQ(ColoursOf(GradientLines(GradientKind::kRows, {5, 7, 9, 8}, Grey(1), Grey(200))),
              std::vector<Colour>{Grey(1)});
    EXPECT_EQ(ColoursOf(GradientLines(GradientKind::kColumns, {0, 0, 3, 9}, Grey(9), Grey(9))),
              (std::vector<Colour>(3, Grey(9))));
}

TEST(Gradient, EachVariantDrawsItsOwnExtent) {
    const PixelRect rect{10, 20, 14, 23};
    const auto rows = GradientLines(GradientKind::kRows, rect, 0, 0);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].x0, 10);
    EXPECT_EQ(rows[2].x1, 15);  // one column past the right edge
    EXPECT_EQ(rows[2].y0, 22);
    EXPECT_EQ(rows[2].y1, 22);
    EXPECT_EQ(GradientLines(GradientKind::kMirroredRows, rect, 0, 0)[0].x1, 15);

    const auto columns = GradientLines(GradientKind::kColumns, rect, 0, 0);
    ASSERT_EQ(columns.size(), 4u);
    EXPECT_EQ(columns[3].x0, 13);
    EXPECT_EQ(columns[3].x1, 13);
    EXPECT_EQ(columns[3].y0, 20);
    EXPECT_EQ(columns[3].y1, 23);
    const auto mirroredColumns = GradientLines(GradientKind::kMirroredColumns, rect, 0, 0);
    ASSERT_EQ(mirroredColumns.size(), 4u);
    EXPECT_EQ(mirroredColumns[0].y1, 24);  // one row past the bottom

    for (GradientKind kind : {GradientKind::kRows, GradientKind::kMirroredRows}) {
        EXPECT_TRUE(GradientLines(kind, {0, 5, 9, 5}, 0, 0).empty());
        EXPECT_TRUE(GradientLines(kind, {0, 5, 9, 2}, 0, 0).empty());
    }
    for (GradientKind kind : {GradientKind::kColumns, GradientKind::kMirroredColumns}) {
        EXPECT_TRUE(GradientLines(kind, {4, 0, 4, 9}, 0, 0).empty());
    }
}

TEST(Gradient, MirroredFillsRiseToTheMiddleAndFallBackClampedToTheChannelRange) {
    // Factors 2, 4, 6, 4 over four steps: the middle overshoots the second colour.
    const auto rising = GradientLines(GradientKind::kMirroredRows, {0, 0, 1, 4}, Grey(0), Grey(40));
    EXPECT_EQ(ColoursOf(rising), (std::vector<Colour>{Grey(20), Grey(40), Grey(60), Grey(40)}));
    // Factors 2, 4, 6, 4, 2 over five: odd counts overshoot by one step.
    const auto five =
        GradientLines(GradientKind::kMirroredColumns, {0, 0, 5, 1}, Grey(100), Grey(150));
    EXPECT_EQ(ColoursOf(five),
              (std::vector<Colour>{Grey(120), Grey(140), Grey(160), Grey(140), Grey(120)}));
    const auto high = GradientLines(GradientKind::kMirroredRows, {0, 0, 1, 4}, Grey(0), Grey(200));
    EXPECT_EQ(high[2].colour, Grey(255));
    const auto low = GradientLines(GradientKind::kMirroredRows, {0, 0, 1, 4}, Grey(200), Grey(0));
    EXPECT_EQ(low[2].colour, Grey(0));
}

TEST(Gradient, LightenMovesHalfwayTowardWhite) {
    EXPECT_EQ(LightenColor(MakeRgb(0, 120, 215)), MakeRgb(127, 187, 235));
    EXPECT_EQ(LightenColor(MakeRgb(0, 0, 0)), MakeRgb(127, 127, 127));
    EXPECT_EQ(LightenColor(MakeRgb(255, 255, 255)), MakeRgb(255, 255, 255));
    EXPECT_EQ(LightenColor(0xFF000000u | MakeRgb(1, 2, 3)), MakeRgb(128, 128, 129));
}

TEST(ProgressBarState, RangesAreStoredAsGivenAndReadBack) {
    ProgressBarState state;
    EXPECT_EQ(state.Minimum(), 0);
    EXPECT_EQ(state.Maximum(), 100);
    state.SetRangeWords(0xFFFF0010u);  // both halves unsigned
    EXPECT_EQ(state.Minimum(), 16);
    EXPECT_EQ(state.Maximum(), 65535);
    state.SetRange(50, -20);  // no check of order
    EXPECT_EQ(state.Minimum(), 50);
    EXPECT_EQ(state.Maximum(), -20);
}

TEST(ProgressBarState, PositionsClampAboveTheRangeAndSwitchTheMarquee) {
    ProgressBarState state;
    EXPECT_EQ(state.SetPosition(40), 0);
    EXPECT_EQ(state.SetPosition(250), 40);
    EXPECT_EQ(state.Position(), 100);

    state.SetMarquee(true);
    EXPECT_EQ(state.SetPosition(-5), 100);  // below the minimum: stored, look unchanged
    EXPECT_EQ(state.Position(), -5);
    EXPECT_TRUE(state.Marquee());
    state.SetPosition(0);
    EXPECT_FALSE(state.Marquee());
    state.SetPosition(-1);
    EXPECT_TRUE(state.Marquee());
    EXPECT_EQ(state.Position(), -1);

    state.SetRange(-10, 10);  // -1 inside the range still means the marquee
    state.SetPosition(-1);
    EXPECT_TRUE(state.Marquee());

    ProgressBarState stepping;
    stepping.SetStep(30);
    stepping.StepIt();
    stepping.StepIt();
    stepping.StepIt();
    stepping.StepIt();
    EXPECT_EQ(stepping.Position(), 100);
}

TEST(ProgressBarState, MarqueePhaseRestartsOnAndWrapsAfterTheLastPhase) {
    ProgressBarState state = MarqueeAtPhase(139);
    EXPECT_EQ(state.Phase(), 139.0f);
    state.AdvancePhase();
    EXPECT_EQ(state.Phase(), 0.0f);
    state.AdvancePhase();
    state.SetMarquee(false);
    EXPECT_EQ(state.Phase(), 1.0f);  // off keeps the phase, on restarts it
    state.SetMarquee(true);
    EXPECT_EQ(state.Phase(), 0.0f);
}

TEST(ProgressBarPlan, DeterminateBarAndText) {
    const auto half = PlanProgressBar(BarAt(50), 202, 20);
    EXPECT_TRUE(half.showBar);
    EXPECT_EQ(half.barTop, (PixelRect{1, 1, 100, 10}));  // the row fill reaches column 100
    EXPECT_EQ(half.barBottom, (PixelRect{1, 10, 100, 19}));
    EXPECT_EQ(half.grooveTop, (PixelRect{1, 1, 201, 10}));
    EXPECT_EQ(half.grooveBottom, (PixelRect{1, 10, 201, 19}));
    EXPECT_EQ(half.text, "50%");
    EXPECT_TRUE(half.showText);

    const auto empty = PlanProgressBar(BarAt(0), 202, 20);
    EXPECT_FALSE(empty.showBar);
    EXPECT_EQ(empty.text, "0%");
    const auto full = PlanProgressBar(BarAt(100), 202, 20);
    EXPECT_EQ(full.barTop.right, 200);
    EXPECT_EQ(full.text, "100%");
    const auto negative = PlanProgressBar(BarAt(-5), 202, 20);
    EXPECT_FALSE(negative.showBar);
    EXPECT_EQ(negative.text, "-5%");

    ProgressBarState thirds;
    thirds.SetRange(0, 3);
    thirds.SetPosition(2);
    EXPECT_EQ(PlanProgressBar(thirds, 100, 20).text, "67%");       // rounded for the text...
    EXPECT_EQ(PlanProgressBar(thirds, 100, 20).barTop.right, 64);  // ...cut for the bar

    ProgressBarState flat;
    flat.SetRange(7, 7);
    flat.SetPosition(7);
    EXPECT_EQ(PlanProgressBar(flat, 100, 20).text, "0%");
    EXPECT_FALSE(PlanProgressBar(flat, 100, 20).showBar);
}

TEST(ProgressBarPlan, MarqueeBlockGrowsThenSlidesWithAThirdOfTheWidth) {
    const auto start = PlanProgressBar(MarqueeAtPhase(0), 202, 20);
    EXPECT_FALSE(start.showBar);
    EXPECT_FALSE(start.showText);
    const auto growing = PlanProgressBar(MarqueeAtPhase(20), 202, 20);
    EXPECT_EQ(growing.barTop.left, 1);
    EXPECT_EQ(growing.barTop.right, 40);
    const auto sliding = PlanProgressBar(MarqueeAtPhase(50), 202, 20);
    EXPECT_EQ(sliding.barTop.left, 100 - 67);
    EXPECT_EQ(sliding.barTop.right, 100);
    const auto leaving = PlanProgressBar(MarqueeAtPhase(139), 202, 20);
    EXPECT_EQ(leaving.barTop.left, 278 - 67);

    ProgressBarState frozen = MarqueeAtPhase(50);
    frozen.SetPosition(-1);  // marquee look at the current phase
    EXPECT_EQ(PlanProgressBar(frozen, 202, 20).barTop.left, 33);
}
