#include "ui/anchor_geometry.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

// From (10, 20) and 100 x 50. Half moves are cut toward zero; an unknown mode (7) leaves its
// axis alone but still moves the control.
TEST(AnchorGeometry, EachModeMovesOrStretchesItsOwnAxis) {
    // Modes, the move, then where the control goes and whether it is moved at all.
    const std::tuple<std::int32_t, std::int32_t, int, int, int, int, int, int, bool> cases[] = {
        {0, 0, 40, 30, 10, 20, 100, 50, false},  {1, 0, 40, 30, 10, 20, 140, 50, true},
        {0, 1, 40, -30, 10, 20, 100, 20, true},  {2, 0, -40, 30, -30, 20, 100, 50, true},
        {0, 2, 40, 30, 10, 50, 100, 50, true},   {3, 0, 101, 30, 60, 20, 100, 50, true},
        {3, 0, -101, 0, -40, 20, 100, 50, true}, {0, 3, 40, -7, 10, 17, 100, 50, true},
        {0, 3, 0, 101, 10, 70, 100, 50, true},   {7, 0, 40, 30, 10, 20, 100, 50, true}};
    for (const auto& [horizontal, vertical, dx, dy, x, y, width, height, move] : cases) {
        const AnchorPlacement p = PlaceAnchored({10, 20, 110, 70}, horizontal, vertical, dx, dy);
        EXPECT_EQ(std::tie(p.x, p.y, p.width, p.height, p.move),
                  std::tie(x, y, width, height, move))
            << "modes " << horizontal << " " << vertical << " by " << dx << " " << dy;
    }
}

// A 200 x 100 drag below a 400 x 300 minimum; a size already large enough is not touched.
TEST(AnchorGeometry, MinimumSizeMovesOnlyTheDraggedSide) {
    const std::pair<int, PixelRect> cases[] = {
        {kEdgeLeft, {-100, 100, 300, 400}},       {kEdgeRight, {100, 100, 500, 400}},
        {kEdgeTop, {100, -100, 500, 200}},        {kEdgeTopLeft, {-100, -100, 300, 200}},
        {kEdgeTopRight, {100, -100, 500, 200}},   {kEdgeBottom, {100, 100, 500, 400}},
        {kEdgeBottomLeft, {-100, 100, 300, 400}}, {kEdgeBottomRight, {100, 100, 500, 400}}};
    for (const auto& [edge, clamped] : cases) {
        PixelRect drag{100, 100, 300, 200};
        ClampToMinimumSize(edge, drag, 400, 300);
        EXPECT_EQ(drag, clamped) << "edge " << edge;
        ClampToMinimumSize(edge, drag, 400, 0);
        EXPECT_EQ(drag, clamped) << "edge " << edge;
    }
}
