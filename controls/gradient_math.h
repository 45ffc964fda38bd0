// The colour arithmetic of the painted controls, free of any drawing API: which one-pixel
// lines a gradient fill draws and in which colours, and the pale accent colour they derive.
#pragma once

#include <cstdint>
#include <vector>

#include "controls/pixel_rect.h"

// 0x00BBGGRR, the platform's COLORREF layout: red in the lowest byte.
using Colour = std::uint32_t;

constexpr Colour MakeRgb(int red, int green, int blue) {
    return static_cast<Colour>(red & 0xFF) | (static_cast<Colour>(green & 0xFF) << 8) |
           (static_cast<Colour>(blue & 0xFF) << 16);
}
constexpr int RedOf(Colour colour) {
    return colour & 0xFF;
}
constexpr int GreenOf(Colour colour) {
    return (colour >> 8) & 0xFF;
}
constexpr int BlueOf(Colour colour) {
    return (colour >> 16) & 0xFF;
}

enum class GradientKind { kRows, kColumns, kMirroredRows, kMirroredColumns };

// One solid line of a gradient: from (x0, y0) included to (x1, y1) excluded.
struct GradientLine {
    int x0, y0, x1, y1;
    Colour colour;
};

// The lines that fill `rect` from `first` toward `second`, in drawing order (top to bottom or
// left to right). Row lines reach one column past the right edge and mirrored column lines one
// row past the bottom; the device context clips. Mirrored channels are kept within 0..255.
std::vector<GradientLine> GradientLines(GradientKind kind, const PixelRect& rect, Colour first,
                                        Colour second);

// Halfway toward white, channel by channel, rounding down.
Colour LightenColor(Colour colour);
