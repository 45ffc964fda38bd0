#include "controls/gradient_math.h"

#include <algorithm>

namespace {

int Channel(int from, int to, int factor, int steps) {
    // Cut toward zero, as C++ division does for a negative difference.
    return std::clamp(from + factor * (to - from) / steps, 0, 255);
}

Colour Interpolate(Colour first, Colour second, int factor, int steps) {
    return MakeRgb(Channel(RedOf(first), RedOf(second), factor, steps),
                   Channel(GreenOf(first), GreenOf(second), factor, steps),
                   Channel(BlueOf(first), BlueOf(second), factor, steps));
}

}  // namespace

std::vector<GradientLine> GradientLines(GradientKind kind, const PixelRect& rect, Colour first,
                                        Colour second) {
    const bool rows = kind == GradientKind::kRows || kind == GradientKind::kMirroredRows;
    const bool mirrored =
        kind == GradientKind::kMirroredRows || kind == GradientKind::kMirroredColumns;
    const int steps = rows ? rect.Height() : rect.Width();
    std::vector<GradientLine> lines;
    if (steps <= 0) {
        return lines;
    }
    lines.reserve(static_cast<size_t>(steps));
    // The mirrored fills rise by two steps a line up to the middle, then fall back.
    int mirroredFactor = 0;
    for (int i = 0; i < steps; ++i) {
        int factor = i;
        if (mirrored) {
            mirroredFactor += i <= steps / 2 ? 2 : -2;
            factor = mirroredFactor;
        }
        const Colour colour = Interpolate(first, second, factor, steps);
        if (rows) {
            lines.push_back({rect.left, rect.top + i, rect.right + 1, rect.top + i, colour});
        } else {
            const int end = mirrored ? rect.bottom + 1 : rect.bottom;
            lines.push_back({rect.left + i, rect.top, rect.left + i, end, colour});
        }
    }
    return lines;
}

Colour LightenColor(Colour colour) {
    auto lighten = [](int value) { return std::min(value + (255 - value) / 2, 255); };
    return MakeRgb(lighten(RedOf(colour)), lighten(GreenOf(colour)), lighten(BlueOf(colour)));
}
