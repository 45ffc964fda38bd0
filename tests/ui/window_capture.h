// Pictures of the painted controls: what a window shows, read back from the screen, and what
// it should show, drawn from the controls' own plain arithmetic.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

#include "controls/gradient_math.h"

struct Picture {
    Picture(int w, int h, COLORREF background) : width(w), height(h), pixels(w * h, background) {}
    // Lines one pixel wide, clipped to the picture.
    void Draw(const std::vector<GradientLine>& lines);
    void Outline(COLORREF c) {
        Draw({{0, 0, width, 0, c},
              {0, height - 1, width, height - 1, c},
              {0, 0, 0, height, c},
              {width - 1, 0, width - 1, height, c}});
    }

    int width, height;
    std::vector<COLORREF> pixels;  // row by row from the top
};

// Lets the window's thread finish its pending paints, then copies the whole window, frame
// included.
Picture CaptureWindow(HWND window);

// The first and last columns where the pictures differ, or {width, -1}; the four corner pixels
// are left out, as rounded outlines leave them to the system.
std::pair<int, int> DifferingColumns(const Picture& shot, const Picture& expected);
