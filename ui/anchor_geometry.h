// The arithmetic of the resizable dialog, apart from the window: where an anchored control
// goes when the window has grown by dx, dy, and how a drag rectangle is held at the minimum.
#pragma once

#include <cstdint>

#include "controls/pixel_rect.h"

// Per axis: how a control follows the window's change of size along that axis.
enum AnchorMode : std::int32_t {
    kAnchorFixed = 0,       // position and size kept
    kAnchorStretch = 1,     // size grows by the change
    kAnchorFollow = 2,      // moves by the change
    kAnchorFollowHalf = 3,  // moves by half the change, cut toward zero
};

struct AnchorPlacement {
    int x = 0, y = 0, width = 0, height = 0;
    bool move = false;  // false when both modes are fixed: the control is left alone
};

// Placed from the control's rectangle at registration, never from where it is now, so no
// series of resizes can accumulate rounding. Unknown modes leave their axis as stored.
AnchorPlacement PlaceAnchored(const PixelRect& stored, std::int32_t horizontal,
                              std::int32_t vertical, int dx, int dy);

// The dragged edge or corner, numbered as the window system numbers it.
enum SizingEdge : int {
    kEdgeLeft = 1,
    kEdgeRight = 2,
    kEdgeTop = 3,
    kEdgeTopLeft = 4,
    kEdgeTopRight = 5,
    kEdgeBottom = 6,
    kEdgeBottomLeft = 7,
    kEdgeBottomRight = 8,
};

// Widens or heightens a too-small drag rectangle by moving the dragged side; the opposite side
// stays. A width or height already large enough is not touched.
void ClampToMinimumSize(int edge, PixelRect& drag, int minimumWidth, int minimumHeight);

// A rectangle measured at one DPI, at another: each edge scaled, so neighbours stay neighbours.
PixelRect ScaleRect(const PixelRect& rect, int fromDpi, int toDpi);
