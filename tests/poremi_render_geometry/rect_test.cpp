#include "render/geometry/rect.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

TEST(RectHelpers, MeasureCentreAndNormalise) {
    EXPECT_EQ(rectWidth({10, 20, 40, 25}), 30);
    EXPECT_EQ(rectHeight({10, 20, 40, 25}), 5);
    EXPECT_EQ(rectCenter({-3, 0, 0, 0}), QPoint(-1, 0));
    EXPECT_EQ(rectCenter({0, 0, 5, 7}), QPoint(2, 3));
    EXPECT_EQ(normalizeRect({40, 25, 10, 20}), (TRect{10, 20, 40, 25}));
    EXPECT_EQ(centerRectAt({0, 0, 10, 4}, {100, 100}), (TRect{95, 98, 105, 102}));
    EXPECT_EQ(clampPointToRect({-5, 50}, {0, 0, 10, 20}), QPoint(0, 20));
    EXPECT_EQ(offsetPointByRect({1, 2}, {10, 20, 30, 40}), QPoint(11, 22));
}

TEST(RectHelpers, ContainmentIsTheIntersectionEqualingTheFirst) {
    EXPECT_TRUE(rectContainsRect({1, 1, 5, 5}, {0, 0, 10, 10}));
    EXPECT_TRUE(rectContainsRect({0, 0, 10, 10}, {0, 0, 10, 10}));
    EXPECT_FALSE(rectContainsRect({5, 5, 11, 8}, {0, 0, 10, 10}));
    EXPECT_FALSE(rectContainsRect({0, 0, 10, 10}, {1, 1, 5, 5}));
    EXPECT_EQ(intersectRect({0, 0, 5, 5}, {6, 6, 9, 9}), TRect{});
}

TEST(RectHelpers, FitsAspectRatiosInsideAndCovering) {
    const struct { TRect source, box, inside, covering; } cases[] = {
        // A wide picture in a square box: letter-boxed top and bottom, covering overhangs left/right.
        {{0, 0, 200, 100}, {0, 0, 100, 100}, {0, 25, 100, 75}, {-50, 0, 150, 100}},
        // A tall one.
        {{0, 0, 100, 300}, {0, 0, 90, 90}, {30, 0, 60, 90}, {0, -90, 90, 180}},
        // Same ratio: both fill the box exactly.
        {{5, 5, 25, 15}, {100, 100, 140, 120}, {100, 100, 140, 120}, {100, 100, 140, 120}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitRectInside(c.source, c.box), c.inside) << c.source;
        EXPECT_EQ(fitRectCovering(c.source, c.box), c.covering) << c.source;
    }
    // The size fits keep the source's Left/Top.
    EXPECT_EQ(fitSizeInside({7, 9, 207, 109}, QSize(100, 100)), (TRect{7, 9, 107, 59}));
    EXPECT_EQ(fitSizeCovering({7, 9, 207, 109}, QSize(100, 100)), (TRect{7, 9, 207, 109}));
}

}  // namespace
}  // namespace poremi
