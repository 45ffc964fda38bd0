// Keeps the dialog's registered controls in place as the window is resized, holds the window
// at its minimum size while it is dragged, repaints it once a drag ends, and places every
// control anew when the window's DPI changes. The dialog owns the one instance; the layout
// owns its records, the windows stay the dialog's.
#pragma once

#include <windows.h>

#include <vector>

#include "controls/dpi_scale.h"
#include "ui/anchor_geometry.h"

// Re-baselines the layout on the controls' current places; nothing in the program sends it.
constexpr UINT WM_ANCHOR_RECAPTURE = 1725;

class AnchorLayout {
  public:
    // The dialog procedure passes every message here first.
    void OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Both 0: the size the dialog had when attached. Otherwise the two values, at 96 DPI.
    void SetMinimumSize(int width, int height);
    void AddControl(int controlId, AnchorMode horizontal, AnchorMode vertical, bool repaint);
    void AddControlWindow(HWND control, AnchorMode horizontal, AnchorMode vertical, bool repaint);

  private:
    struct AnchorRecord {
        PixelRect rect;  // at registration, in the dialog's client coordinates
        HWND control;
        AnchorMode horizontal;
        AnchorMode vertical;
        bool repaint;
    };

    void AttachDialog(HWND window);
    void Relayout() const;
    void Recapture();
    // Takes the system's suggested rectangle and places every control at the new scale.
    void ChangeDpi(int dpi, const RECT& suggested);
    void RecordUnanchored();
    PixelRect ClientRectOf(HWND control) const;
    void InvalidateClient() const;

    // Baseline, minimum and rectangles are kept as measured, at baseDpi_; they are placed at
    // dpi_, scaled from there each time, so a return to a DPI gives back exactly its places.
    RECT baseline_ = {};
    HWND dialog_ = nullptr;
    int minimumWidth_ = 0;
    int minimumHeight_ = 0;
    std::vector<AnchorRecord> records_;     // newest first
    std::vector<AnchorRecord> unanchored_;  // every other control, at its baseline place
    int baseDpi_ = kBaseDpi;
    int dpi_ = kBaseDpi;
};
