// What the painted progress bar remembers and how it answers the standard progress-bar
// messages, apart from any window; and where a paint puts the groove, the bar and the text.
// The control's window procedure owns one and turns its answers into timers and repaints.
#pragma once

#include <cstdint>
#include <string>

#include "controls/dpi_scale.h"
#include "controls/gradient_math.h"
#include "controls/pixel_rect.h"

class ProgressBarState {
  public:
    static constexpr int kMarqueePhases = 140;  // 25 ms each: one pass in 3.5 s

    // PBM_SETRANGE: the minimum in the low, the maximum in the high 16 bits, both unsigned.
    void SetRangeWords(std::uint32_t packed);
    // PBM_SETRANGE32: stored without any check of order or size.
    void SetRange(std::int32_t minimum, std::int32_t maximum);
    // The set-position steps: clamps above the maximum, leaves a position below the minimum
    // as it is, and -1 turns the marquee look on. Returns the previous position.
    std::int32_t SetPosition(std::int32_t position);
    // Position plus step, through the set-position steps.
    void StepIt() { SetPosition(position_ + step_); }
    void SetStep(std::int32_t step) { step_ = step; }
    // On restarts the animation from phase 0; the caller starts or stops the timer.
    void SetMarquee(bool on);
    // One animation tick: the phase wraps to 0 when it reaches the last phase.
    void AdvancePhase();

    std::int32_t Minimum() const { return minimum_; }
    std::int32_t Maximum() const { return maximum_; }
    std::int32_t Position() const { return position_; }
    std::int32_t Step() const { return step_; }
    bool Marquee() const { return marquee_; }
    float Phase() const { return phase_; }

  private:
    std::int32_t maximum_ = 100;
    std::int32_t minimum_ = 0;
    std::int32_t position_ = 0;
    std::int32_t step_ = 1;
    bool marquee_ = false;
    float phase_ = 0.0f;
};

// Where one paint of a width x height bar puts everything, in client pixels.
struct ProgressBarPicture {
    double percent = 0.0;  // the phase while the marquee runs
    std::string text;      // the rounded percentage and "%"; shown only without the marquee
    bool showText = false;
    bool showBar = false;  // the blue bar, absent when its right edge is at most 1
    PixelRect grooveTop, grooveBottom, barTop, barBottom, textRect;
    int outline = 1;  // the rounded outline's width, inside the edge
    int corner = 4;   // the outline's corner ellipse, both ways
};

// The groove, the bar and the text keep inside an outline one pixel wide at 96 DPI, scaled.
ProgressBarPicture PlanProgressBar(const ProgressBarState& state, int width, int height,
                                   int dpi = kBaseDpi);

namespace progress_colours {
constexpr Colour kGrooveTopFrom = MakeRgb(252, 252, 252);
constexpr Colour kGrooveTopTo = MakeRgb(218, 218, 218);
constexpr Colour kGrooveBottomFrom = MakeRgb(201, 201, 201);
constexpr Colour kGrooveBottomTo = MakeRgb(213, 213, 213);
constexpr Colour kBarTopFrom = MakeRgb(175, 248, 248);
constexpr Colour kBarTopTo = MakeRgb(62, 183, 215);
constexpr Colour kBarBottomFrom = MakeRgb(14, 145, 174);
constexpr Colour kBarBottomTo = MakeRgb(1, 87, 115);
constexpr Colour kOutline = MakeRgb(178, 178, 178);
}  // namespace progress_colours
