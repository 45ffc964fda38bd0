// Reads back what a window shows on screen, pixel by pixel, for tests of painted controls.
#pragma once

#include <windows.h>

#include <vector>

struct WindowCapture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Lets the window's thread finish its pending paints, then copies the whole window (frame
// included) out of its device context.
WindowCapture CaptureWindow(HWND window);
