// Sizes the program gives in pixels are sizes at 96 DPI (100%); a window shown at another DPI
// gets them scaled by its DPI / 96, rounded as MulDiv rounds: to the nearest, halves away from
// zero. Plain arithmetic, free of any window.
#pragma once

constexpr int kBaseDpi = 96;

// value * numerator / denominator, rounded as MulDiv does; the denominator is positive.
constexpr int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>((product < 0 ? product - half : product + half) / denominator);
}

// A size at 96 DPI, in pixels at dpi.
constexpr int ScaleToDpi(int pixelsAt96, int dpi) {
    return MulDivRounded(pixelsAt96, dpi, kBaseDpi);
}

// Pixels measured at one DPI, at another.
constexpr int ScaleBetweenDpis(int pixels, int fromDpi, int toDpi) {
    return MulDivRounded(pixels, toDpi, fromDpi);
}

// The side of the lists' small icons: 16 at 96 DPI, 24 at 144, 32 at 192.
constexpr int SmallIconSize(int dpi) {
    return ScaleToDpi(16, dpi);
}
