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

ProgressBarPicture PlanProgressBar(const ProgressBarState& state, int width, int height) {
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

    const auto whole = static_cast<long long>(bounded);
    long long right = whole * (width - 2) / 100;
    right = std::clamp(right, 1LL, static_cast<long long>(width) * 2);
    long long left = 1;
    if (state.Marquee() && whole > 33) {
        left = right - width / 3;
    }
    const int barLeft = static_cast<int>(left);
    const int barRight = static_cast<int>(right);
    const int middle = height / 2;
    picture.showBar = barRight > 1;
    picture.grooveTop = {1, 1, width - 1, middle};
    picture.grooveBottom = {1, middle, width - 1, height - 1};
    picture.barTop = {barLeft, 1, barRight, middle};
    picture.barBottom = {barLeft, middle, barRight, height - 1};
    picture.textRect = {0, -1, width, height};
    return picture;
}
