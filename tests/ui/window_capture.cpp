#include "tests/ui/window_capture.h"

#include <algorithm>

#include "controls/gdi_handles.h"

void Picture::Draw(const std::vector<GradientLine>& lines) {
    for (const GradientLine& l : lines) {
        for (int y = std::max(l.y0, 0); y < std::min(std::max(l.y1, l.y0 + 1), height); ++y) {
            for (int x = std::max(l.x0, 0); x < std::min(std::max(l.x1, l.x0 + 1), width); ++x) {
                pixels[y * width + x] = l.colour;
            }
        }
    }
}

Picture CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(GetAncestor(window, GA_ROOT), WM_NULL, 0, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    Picture shot(rect.right - rect.left, rect.bottom - rect.top, 0);
    HDC windowDc = GetWindowDC(window);
    MemoryDC memory(windowDc);
    GdiObject bitmap(CreateCompatibleBitmap(windowDc, shot.width, shot.height));
    SelectedObject selected(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, shot.width, shot.height, windowDc, 0, 0, SRCCOPY);
    ReleaseDC(window, windowDc);
    for (int i = 0; i < shot.width * shot.height; ++i) {
        shot.pixels[i] = GetPixel(memory.Get(), i % shot.width, i / shot.width);
    }
    return shot;
}

std::pair<int, int> DifferingColumns(const Picture& shot, const Picture& expected) {
    std::pair<int, int> columns{shot.width, -1};
    for (int i = 0; i < shot.width * shot.height; ++i) {
        const int x = i % shot.width, y = i / shot.width;
        const bool corner = (x == 0 || x == shot.width - 1) && (y == 0 || y == shot.height - 1);
        if (!corner && shot.pixels[i] != expected.pixels[i]) {
            columns = {std::min(columns.first, x), std::max(columns.second, x)};
        }
    }
    return columns;
}
