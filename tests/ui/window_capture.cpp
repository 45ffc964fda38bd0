#include "tests/ui/window_capture.h"

#include "controls/gdi_handles.h"

WindowCapture CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);

    WindowCapture capture;
    RECT rect;
    GetWindowRect(window, &rect);
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);

    HDC windowDc = GetWindowDC(window);
    MemoryDC memory(windowDc);
    GdiObject bitmap(CreateCompatibleBitmap(windowDc, capture.width, capture.height));
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, capture.width, capture.height, windowDc, 0, 0, SRCCOPY);
    }
    ReleaseDC(window, windowDc);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> bgra(capture.pixels.size());
    GetDIBits(memory.Get(), static_cast<HBITMAP>(bitmap.Get()), 0, capture.height, bgra.data(),
              &info, DIB_RGB_COLORS);
    for (size_t i = 0; i < bgra.size(); ++i) {
        const DWORD p = bgra[i];
        capture.pixels[i] = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    return capture;
}
