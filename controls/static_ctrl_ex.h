// Takes over a static text control that the dialog template created and paints it itself,
// flicker-free: a plain or gradient background, an optional border and one line of text in
// its own font. It keeps its own UTF-16 copy of the text it is given and answers text queries
// from it in both forms (the system converts for ANSI callers); it owns that copy and the font.
#pragma once

#include <windows.h>

#include <string>

#include "controls/gdi_handles.h"

// Style flags: what the paint draws.
constexpr unsigned SCX_ROWGRADIENT = 0x01;     // top to bottom
constexpr unsigned SCX_COLUMNGRADIENT = 0x02;  // left to right
constexpr unsigned SCX_MIRRORED = 0x04;        // to the second colour in the middle and back
constexpr unsigned SCX_BORDER = 0x10;          // one-pixel border in the border colour
constexpr unsigned SCX_FACECOLOR = 0x20;       // button-face background instead of the first colour

class StaticCtrlEx {
  public:
    StaticCtrlEx();
    StaticCtrlEx(const StaticCtrlEx&) = delete;
    StaticCtrlEx& operator=(const StaticCtrlEx&) = delete;

    // Subclasses the control, drops its static edge, takes its text and repaints it.
    void Attach(HWND dialog, int controlId);
    void SetStyle(unsigned style, bool redraw);
    // Font, border and text inset for the window's DPI; repaints.
    void SetDpi(int dpi);

    // What the label shows, in UTF-8; empty when it shows no text. Read on the window's thread.
    std::string Text() const;

    HWND hwnd = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const;
    void RepaintNow() const;
    void Paint() const;
    void Draw(HDC dc, const RECT& rect) const;

    std::wstring text_;
    GdiObject font_;
    COLORREF firstColour_ = RGB(255, 255, 255);
    COLORREF secondColour_;
    COLORREF borderColour_ = RGB(130, 135, 144);
    COLORREF textColour_ = RGB(0, 0, 0);
    UINT textFormat_ = DT_VCENTER | DT_SINGLELINE;
    unsigned style_ = SCX_COLUMNGRADIENT | SCX_MIRRORED | SCX_BORDER;
    int dpi_ = kBaseDpi;
    WNDPROC previousWndProc_ = nullptr;
};
