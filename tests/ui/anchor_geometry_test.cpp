#include "ui/anchor_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::tuple<int, int, int, int, bool> Placed(std::int32_t horizontal, std::int32_t vertical, int dx,
                                            int dy) {
    const AnchorPlacement p = PlaceAnchored({10, 20, 110, 70}, horizontal, vertical, dx, dy);
    return {p.x, p.y, p.width, p.height, p.move};
}

PixelRect Clamped(int edge) {
    PixelRect drag{100, 100, 300, 200};  // 200 x 100, below a 400 x 300 minimum
    ClampToMinimumSize(edge, drag, 400, 300);
    return drag;
}

}  // namespace

TEST(AnchorGeometry, EachModeMovesOrStretchesItsAxis) {
    EXPECT_EQ(Placed(0, 0, 40, 30), std::make_tuple(10, 20, 100, 50, false));
    EXPECT_EQ(Placed(1, 1, 40, 30), std::make_tuple(10, 20, 140, 80, true));
    EXPECT_EQ(Placed(2, 2, 40, 30), std::make_tuple(50, 50, 100, 50, true));
    EXPECT_EQ(Placed(2, 0, -40, 30), std::make_tuple(-30, 20, 100, 50, true));
    EXPECT_EQ(Placed(0, 1, 40, -30), std::make_tuple(10, 20, 100, 20, true));
    // Half moves are cut toward zero both ways.
    EXPECT_EQ(Placed(3, 3, 101, -7), std::make_tuple(60, 17, 100, 50, true));
    EXPECT_EQ(Placed(3, 0, -101, 0), std::make_tuple(-40, 20, 100, 50, true));
    // An unknown mode leaves its axis alone but still counts as registered for a move.
    EXPECT_EQ(Placed(7, 0, 40, 30), std::make_tuple(10, 20, 100, 50, true));
    EXPECT_EQ(Placed(-1, 2, 40, 30), std::make_tuple(10, 50, 100, 50, true));
}

TEST(AnchorGeometry, MinimumSizeMovesOnlyTheDraggedSide) {
    EXPECT_EQ(Clamped(kEdgeLeft), (PixelRect{-100, 100, 300, 400}));
    EXPECT_EQ(Clamped(kEdgeRight), (PixelRect{100, 100, 500, 400}));
    EXPECT_EQ(Clamped(kEdgeTop), (PixelRect{100, -100, 500, 200}));
    EXPECT_EQ(Clamped(kEdgeTopLeft), (PixelRect{-100, -100, 300, 200}));
    EXPECT_EQ(Clamped(kEdgeTopRight), (PixelRect{100, -100, 500, 200}));
    EXPECT_EQ(Clamped(kEdgeBottom), (PixelRect{100, 100, 500, 400}));
    EXPECT_EQ(Clamped(kEdgeBottomLeft), (PixelRect{-100, 100, 300, 400}));
    EXPECT_EQ(Clamped(kEdgeBottomRight), (PixelRect{100, 100, 500, 400}));

    PixelRect wide{0, 0, 900, 100};
    ClampToMinimumSize(kEdgeLeft, wide, 400, 0);  // a zero minimum height allows any height
    EXPECT_EQ(wide, (PixelRect{0, 0, 900, 100}));
    PixelRect exact{0, 0, 400, 300};
    ClampToMinimumSize(kEdgeTopLeft, exact, 400, 300);
    EXPECT_EQ(exact, (PixelRect{0, 0, 400, 300}));
}
