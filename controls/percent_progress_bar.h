// Takes over a standard progress bar that the dialog template created and paints it itself:
// a two-tone blue bar in a grey groove with the percentage in the middle, or a running
// marquee block. It answers the standard progress-bar messages, so callers drive it by
// sending them. The object owns its font; the window stays the dialog's.
#pragma once

#include <windows.h>

#include "controls/gdi_handles.h"
#include "controls/progress_bar_state.h"

class PercentProgressBar {
  public:
    static constexpr UINT_PTR kMarqueeTimer = 10;
    static constexpr UINT kMarqueePeriodMs = 25;

    PercentProgressBar() : font_(CreateDialogFont()) {}
    PercentProgressBar(const PercentProgressBar&) = delete;
    PercentProgressBar& operator=(const PercentProgressBar&) = delete;

    // Subclasses the control and keeps this object's address in its user data; no repaint.
    void Attach(HWND dialog, int controlId);
    // Font, outline and offsets for the window's DPI; repaints.
    void SetDpi(int dpi);

    HWND hwnd = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Invalidate() const;
    void Paint() const;
    void Draw(HDC dc, int width, int height) const;

    GdiObject font_;
    ProgressBarState state_;
    int dpi_ = kBaseDpi;
    WNDPROC previousWndProc_ = nullptr;
};
