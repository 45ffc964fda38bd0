// The painted controls' WM_PAINT: the whole client area is drawn off screen and copied in one
// transfer, so frequent repaints never flicker. Everything it creates is gone when it returns.
#pragma once

#include <windows.h>

#include "controls/gdi_handles.h"

// draw(dc, client) paints every pixel of the client rectangle into an off-screen context.
template <typename Draw>
void PaintBuffered(HWND window, Draw draw) {
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    PaintDC paint(window);
    MemoryDC memory(paint.Get());
    GdiObject bitmap(CreateCompatibleBitmap(paint.Get(), width, height));
    SelectedObject selected(memory.Get(), bitmap.Get());
    draw(memory.Get(), client);
    BitBlt(paint.Get(), client.left, client.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}
