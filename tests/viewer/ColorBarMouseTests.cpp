// The colour bar's mouse rules on a scheme, without widgets: where they could break a region's
// order (neighbours too close for the 8-position rule, a release off the bar, no bar at all).
#include "render/ColorBarMouse.h"
#include "render/tColorScheme.h"

#include <gtest/gtest.h>

namespace {

using brellix::ColorBarMouse;
using brellix::tColorScheme;

// y on a bar of the given height for a position.
float at(float height, int position)
{
    return static_cast<float>(position) * height / 256.0f;
}

TEST(ColorBarMouse, APointBetweenCloseNeighboursStaysBetweenThem)
{
    tColorScheme scheme;
    ColorBarMouse mouse(scheme);
    // A 64-pixel bar hits within 2 positions: 120, 124 and 128 can all be inserted.
    const float height = 64;
    for (int position : {120, 124, 128}) {
        mouse.press(1, false, height, at(height, position));
        EXPECT_FALSE(mouse.release(1, true, height, at(height, position)));
    }
    ASSERT_EQ(scheme.iNumColorPoints(1), 7);
    mouse.press(1, false, height, at(height, 124));
    ASSERT_TRUE(mouse.dragging());
    for (int position : {0, 255, 121, 127}) {
        mouse.move(height, at(height, position));
        const int point = mouse.currentPoint();
        EXPECT_GT(scheme.iIndex(1, point), scheme.iIndex(1, point - 1)) << position;
        EXPECT_LT(scheme.iIndex(1, point), scheme.iIndex(1, point + 1)) << position;
    }
}

TEST(ColorBarMouse, AReleaseOffTheBarOrOnAnotherBarInsertsNothing)
{
    tColorScheme scheme;
    ColorBarMouse mouse(scheme);
    mouse.press(2, false, 256, 150);
    EXPECT_FALSE(mouse.release(2, true, 256, 300));
    EXPECT_FALSE(mouse.release(2, true, 256, -4));
    EXPECT_EQ(scheme.iNumColorPoints(2), 3);
    // A release on another bar than the press.
    mouse.press(2, false, 256, 150);
    EXPECT_FALSE(mouse.release(1, true, 256, 150));
    EXPECT_EQ(scheme.iNumColorPoints(1), 4);

    // A bar of no height takes no press.
    mouse.press(0, false, 0, 10);
    EXPECT_FALSE(mouse.pointHit());
    EXPECT_FALSE(mouse.release(0, true, 0, 10));
    EXPECT_EQ(scheme.iNumColorPoints(0), 3);
}

} // namespace
