#include "ui/anchor_geometry.h"

#include "controls/dpi_scale.h"

AnchorPlacement PlaceAnchored(const PixelRect& stored, std::int32_t horizontal,
                              std::int32_t vertical, int dx, int dy) {
    AnchorPlacement place{stored.left, stored.top, stored.Width(), stored.Height(), false};
    switch (horizontal) {
        case kAnchorStretch:
            place.width += dx;
            break;
        case kAnchorFollow:
            place.x += dx;
            break;
        case kAnchorFollowHalf:
            place.x += dx / 2;
            break;
        default:
            break;
    }
    switch (vertical) {
        case kAnchorStretch:
            place.height += dy;
            break;
        case kAnchorFollow:
            place.y += dy;
            break;
        case kAnchorFollowHalf:
            place.y += dy / 2;
            break;
        default:
            break;
    }
    place.move = horizontal != kAnchorFixed || vertical != kAnchorFixed;
    return place;
}

void ClampToMinimumSize(int edge, PixelRect& drag, int minimumWidth, int minimumHeight) {
    if (drag.Width() < minimumWidth) {
        if (edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft) {
            drag.left = drag.right - minimumWidth;
        } else {
            drag.right = drag.left + minimumWidth;
        }
    }
    if (drag.Height() < minimumHeight) {
        if (edge == kEdgeTop || edge == kEdgeTopLeft || edge == kEdgeTopRight) {
            drag.top = drag.bottom - minimumHeight;
        } else {
            drag.bottom = drag.top + minimumHeight;
        }
    }
}

PixelRect ScaleRect(const PixelRect& rect, int fromDpi, int toDpi) {
    return {ScaleBetweenDpis(rect.left, fromDpi, toDpi), ScaleBetweenDpis(rect.top, fromDpi, toDpi),
            ScaleBetweenDpis(rect.right, fromDpi, toDpi),
            ScaleBetweenDpis(rect.bottom, fromDpi, toDpi)};
}
