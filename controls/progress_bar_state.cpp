#include "controls/progress_bar_state.h"

#include <algorithm>
#include <cstdio>

void ProgressBarState::SetRangeWords(std::uint32_t packed) {
    minimum_ = static_cast<std::int32_t>(packed & 0xFFFF);
    maximum_ = static_cast<std::int32_t>(packed >> 16);
}

void ProgressBarState::SetRange(std::int32_t minimum, std::int32_t maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

std::int32_t ProgressBarState::SetPosition(std::int32_t position) {
    const std::int32_t previous = position_;
    if (position > maximum_) {
        position = maximum_;
        marquee_ = false;
    }
    if (position >= minimum_) {
        marquee_ = false;
    }
    if (position == -1) {
        marquee_ = true;
    }
    position_ = position;
    return previous;
}

void ProgressBarState::SetMarquee(bool on) {
    marquee_ = on;
    if (on) {
        phase_ = 0.0f;
    }
}

void ProgressBarState::AdvancePhase() {
    phase_ += 1.0f;
    if (phase_ >= kMarqueePhases) {
        phase_ = 0.0f;
    }
}

ProgressBarPicture PlanProgressBar(const ProgressBarState& state, int width, int height, int dpi) {
    ProgressBarPicture picture;
    if (state.Marquee()) {
        picture.percent = state.Phase();
    } else if (state.Maximum() != state.Minimum()) {
        picture.percent = (static_cast<double>(state.Position()) - state.Minimum()) /
                          (static_cast<double>(state.Maximum()) - state.Minimum()) * 100.0;
    }
    // A position far below a narrow range gives a huge percentage: keep it in integer reach.
    const double bounded = std::clamp(picture.percent, -1e9, 1e9);
    char text[32];
    std::snprintf(text, sizeof text, "%0.0f%%", bounded);
    picture.text = text;
    picture.showText = !state.Marquee();

    const int edge = ScaleToDpi(1, dpi);
    picture.outline = edge;
    picture.corner = ScaleToDpi(4, dpi);
    const auto whole = static_cast<long long>(bounded);
    // The bar's last column is edge - 1 + its share of the groove's inner width.
    long long right = edge - 1 + whole * (width - 2 * edge) / 100;
    right = std::clamp(right, static_cast<long long>(edge), static_cast<long long>(width) * 2);
    long long left = edge;
    if (state.Marquee() && whole > 33) {
        left = right - width / 3;
    }
    const int barLeft = static_cast<int>(left);
    const int barRight = static_cast<int>(right);
    const int middle = height / 2;
    picture.showBar = barRight > edge;
    picture.grooveTop = {edge, edge, width - edge, middle};
    picture.grooveBottom = {edge, middle, width - edge, height - edge};
    picture.barTop = {barLeft, edge, barRight, middle};
    picture.barBottom = {barLeft, middle, barRight, height - edge};
    picture.textRect = {0, -edge, width, height};
    return picture;
}
