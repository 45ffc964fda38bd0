#include <gtest/gtest.h>

#include <tuple>

#include "controls/dpi_scale.h"
#include "controls/gradient_math.h"
#include "controls/progress_bar_state.h"

using K = GradientKind;

// A bar given a range, then maybe the marquee, then a position, then phase steps.
static ProgressBarState Bar(std::int32_t position, std::int32_t minimum = 0,
                            std::int32_t maximum = 100, bool marquee = false, int phase = 0) {
    ProgressBarState state;
    state.SetRange(minimum, maximum);
    state.SetMarquee(marquee);
    state.SetPosition(position);
    while (phase-- > 0) {
        state.AdvancePhase();
    }
    return state;
}

// Mirrored fills use the factors 2, 4, 6, 4 (2, 4, 6, 4, 2 for five) and clamp to 0..255.
TEST(Gradient, LinesStepFromTheFirstColourTowardTheSecond) {
    const std::tuple<K, int, int, int, std::vector<int>> cases[] = {
        {K::kRows, 4, 252, 218, {252, 244, 235, 227}},
        {K::kMirroredRows, 4, 0, 40, {20, 40, 60, 40}},
        {K::kMirroredColumns, 5, 100, 150, {120, 140, 160, 140, 120}},
        {K::kMirroredRows, 4, 0, 200, {100, 200, 255, 200}},
        {K::kMirroredColumns, 4, 200, 0, {100, 0, 0, 0}},
        {K::kRows, 0, 0, 9, {}}};
    // The line colours as grey levels, over `steps` lines from one grey to another.
    for (const auto& [kind, steps, first, second, greys] : cases) {
        const bool rows = kind == K::kRows || kind == K::kMirroredRows;
        const PixelRect rect = rows ? PixelRect{0, 0, 1, steps} : PixelRect{0, 0, steps, 1};
        std::vector<int> got;
        const Colour from = MakeRgb(first, first, first), to = MakeRgb(second, second, second);
        for (const GradientLine& line : GradientLines(kind, rect, from, to)) {
            const int red = RedOf(line.colour);
            got.push_back(line.colour == MakeRgb(red, red, red) ? red : -1);
        }
        EXPECT_EQ(got, greys) << steps << " from " << first;
    }
    // Channels step apart; a rising one is cut toward the first colour too.
    const auto lines =
        GradientLines(K::kColumns, {0, 0, 3, 1}, MakeRgb(0, 200, 10), MakeRgb(10, 100, 255));
    EXPECT_EQ(lines.at(2).colour, MakeRgb(6, 134, 173));
    // Lightening moves halfway toward white.
    EXPECT_EQ(LightenColor(MakeRgb(0, 120, 215)), MakeRgb(127, 187, 235));
    EXPECT_EQ(LightenColor(MakeRgb(255, 255, 255)), MakeRgb(255, 255, 255));
    EXPECT_EQ(LightenColor(0xFF000000u | MakeRgb(1, 2, 3)), MakeRgb(128, 128, 129));
}

TEST(ProgressBarState, RangeWordsAndThePhase) {
    ProgressBarState state;
    state.SetRangeWords(0xFFFF8010u);  // two unsigned 16-bit halves
    EXPECT_EQ(std::make_pair(state.Minimum(), state.Maximum()), std::make_pair(32784, 65535));
    EXPECT_EQ(Bar(-1, 0, 100, false, 139).Phase(), 139.0f);  // wraps at 140
    EXPECT_EQ(Bar(-1, 0, 100, false, 140).Phase(), 0.0f);
}

// A position is clamped above the maximum and kept below the minimum, where it leaves the
// marquee as it was; -1 always means the marquee. Ranges are signed 32-bit. The text is rounded,
// the bar cut, and the marquee block a third of the width wide. Width 202, height 20.
TEST(ProgressBarPlan, PositionsTextAndBar) {
    // The text (none with the marquee), whether the bar shows, its left and right.
    const std::tuple<ProgressBarState, std::string, bool, int, int> cases[] = {
        {Bar(50), "50%", true, 1, 100},
        {Bar(0), "0%", false, 1, 1},
        {Bar(250), "100%", true, 1, 200},
        {Bar(-5), "-5%", false, 1, 1},
        {Bar(-5, 0, 100, true), "", false, 1, 1},
        {Bar(0, 0, 100, true), "0%", false, 1, 1},
        {Bar(-1), "", false, 1, 1},
        {Bar(-1, -10, 10), "", false, 1, 1},
        {Bar(2, 0, 3), "67%", true, 1, 132},
        {Bar(0, -100, 100), "50%", true, 1, 100},
        {Bar(50000, 0, 100000), "50%", true, 1, 100},
        {Bar(7, 7, 7), "0%", false, 1, 1},
        {Bar(-1, 0, 100, false, 20), "", true, 1, 40},
        {Bar(-1, 0, 100, false, 50), "", true, 33, 100}};
    for (const auto& [state, text, showBar, left, right] : cases) {
        const ProgressBarPicture p = PlanProgressBar(state, 202, 20);
        EXPECT_EQ(
            std::tie(p.showBar, p.barTop, p.barBottom, p.grooveTop, p.grooveBottom),
            std::make_tuple(showBar, PixelRect{left, 1, right, 10}, PixelRect{left, 10, right, 19},
                            PixelRect{1, 1, 201, 10}, PixelRect{1, 10, 201, 19}))
            << text << " to " << right;
        EXPECT_EQ(p.showText ? p.text : "", text) << right;
    }
}

// Sizes at 96 DPI scaled as MulDiv rounds, halves away from zero: the columns, the fonts'
// -11, the label's 3-pixel inset and the 1-pixel outline; and back from 144 DPI.
TEST(DpiScale, SizesAt96RoundAsMulDiv) {
    const std::tuple<int, int, int> cases[] = {{75, 120, 94},   {75, 144, 113},  {65, 144, 98},
                                               {175, 144, 263}, {175, 192, 350}, {-11, 144, -17},
                                               {-11, 120, -14}, {3, 144, 5},     {1, 144, 2},
                                               {1, 120, 1},     {16, 96, 16}};
    for (const auto& [at96, dpi, scaled] : cases) {
        EXPECT_EQ(ScaleToDpi(at96, dpi), scaled) << at96 << " at " << dpi;
        EXPECT_EQ(ScaleBetweenDpis(scaled, dpi, kBaseDpi), at96) << at96 << " at " << dpi;
    }
    // At 192 DPI the outline is 2 wide and the groove and the bar keep inside it.
    const ProgressBarPicture p = PlanProgressBar(Bar(50), 202, 40, 192);
    EXPECT_EQ(std::tie(p.grooveTop, p.barBottom, p.corner),
              std::make_tuple(PixelRect{2, 2, 200, 20}, PixelRect{2, 20, 100, 38}, 8));
}
