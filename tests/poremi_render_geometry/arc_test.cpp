#include "render/geometry/arc.h"

#include <QtGui/QPainterPath>
#include <cmath>
#include <numbers>
#include <gtest/gtest.h>

namespace poremi {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(Arcs, CircleThroughThreePoints) {
    const TCircle half = circleThrough3({0, 0}, {50, -50}, {100, 0});
    EXPECT_EQ(half.center, QPoint(50, 0));
    EXPECT_NEAR(double(half.radius), 50.0, 1e-9);
    // Collinear points give the rounded centroid and its distance to the middle point.
    const TCircle line = circleThrough3({0, 0}, {10, 0}, {50, 0});
    EXPECT_EQ(line.center, QPoint(20, 0));
    EXPECT_NEAR(double(line.radius), 10.0, 1e-9);
    const TCircle same = circleThrough3({7, 7}, {7, 7}, {7, 7});
    EXPECT_EQ(same.center, QPoint(7, 7));
    EXPECT_EQ(double(same.radius), 0.0);
}

TEST(Arcs, ArcRecordsFromThreePointsAndFromChords) {
    const struct {
        TArcInfo arc;
        int x, y, radius;
        double start, end;
    } cases[] = {
        // Over the top on the page: from π through 3π/2 to 0.
        {arcFrom3({0, 0}, {50, -50}, {100, 0}), 50, 0, 50, kPi, 0},
        // Under it: the record still runs towards growing angles, so it starts at r.
        {arcFrom3({0, 0}, {50, 50}, {100, 0}), 50, 0, 50, 0, kPi},
        {arcFromChord({0, 0}, {100, 0}, 50).arc, 50, 0, 50, kPi, 0},
        {arcFromChord({0, 0}, {100, 0}, -50).arc, 50, 0, 50, 0, kPi},
        // A shallow bulge: R = 100² / 80 + 5 = 130, centre 120 below the chord.
        {arcFromChord({0, 0}, {100, 0}, 10).arc, 50, 120, 130, std::atan2(-120.0, -50.0) + 2 * kPi,
         std::atan2(-120.0, 50.0) + 2 * kPi},
        // No bulge: the half circle on the chord's midpoint.
        {arcFromChord({0, 0}, {100, 0}, 0).arc, 50, 0, 50, kPi, 0},
    };
    int i = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(c.arc.centerX, c.x) << i;
        EXPECT_EQ(c.arc.centerY, c.y) << i;
        EXPECT_EQ(c.arc.radius, c.radius) << i;
        EXPECT_NEAR(double(c.arc.startAngle), c.start, 1e-9) << i;
        EXPECT_NEAR(double(c.arc.endAngle), c.end, 1e-9) << i;
        ++i;
    }
    EXPECT_FALSE(arcFromChord({3, 3}, {3, 3}, 5).valid);
    EXPECT_TRUE(arcFromChord({3, 3}, {3, 3}, 0).valid);
    EXPECT_TRUE(arcFrom3({0, 0}, {0, 0}, {0, 0}).isEmpty());
}

TEST(Arcs, ApexOrientationAndSagittaAgree) {
    EXPECT_EQ(apexFromChord({0, 0}, {100, 0}, 10), QPoint(50, -10));
    EXPECT_EQ(apexFromChord({0, 0}, {100, 0}, -10), QPoint(50, 10));
    EXPECT_EQ(apexFromChord({0, 0}, {100, 0}, 5000), QPoint(50, -4000));
    EXPECT_EQ(apexFromChord({3, 3}, {3, 3}, 50), QPoint(3, 3));
    EXPECT_EQ(orientation({0, 0}, {50, -50}, {100, 0}), 1);
    EXPECT_EQ(orientation({0, 0}, {50, 50}, {100, 0}), -1);
    EXPECT_EQ(orientation({0, 0}, {50, 0}, {100, 0}), 0);
    EXPECT_EQ(sagittaFrom3({0, 0}, {50, 0}, {100, 0}), 0);

    // The bulge of a chord comes back from its apex, for minor and major arcs on both sides.
    for (int bulge : {10, -10, 50, -50, 80, -80, 150, -150, 400}) {
        const QPoint p1(0, 0), p2(100, 0);
        EXPECT_NEAR(sagittaFrom3(p1, apexFromChord(p1, p2, bulge), p2), bulge, 1) << bulge;
    }
    const QPoint a(-300, 200), b(500, -100);
    EXPECT_NEAR(sagittaFrom3(a, apexFromChord(a, b, -120), b), -120, 1);
}

TEST(Arcs, PointsAndBoundsOfArcs) {
    const TArcInfo over = arcFromChord({0, 0}, {100, 0}, 50).arc;
    const TArcPoints points = arcPoints(over);
    EXPECT_EQ(points.start, QPoint(0, 0));
    EXPECT_EQ(points.middle, QPoint(50, -50));  // wraps past 0: the mean angle plus π
    EXPECT_EQ(points.end, QPoint(100, 0));
    EXPECT_EQ(arcBounds(over), (TRect{0, -50, 100, 0}));
    EXPECT_EQ(arcBounds(arcFromChord({0, 0}, {100, 0}, -50).arc), (TRect{0, 0, 100, 50}));
    // Three quarters of a circle from the top clockwise to the left.
    const TArcInfo three{0, 0, 10, 3 * kPi / 2, kPi};
    EXPECT_EQ(arcBounds(three), (TRect{-10, -10, 10, 10}));
    const TArcInfo quarter{0, 0, 10, 0, kPi / 2};
    EXPECT_EQ(arcBounds(quarter), (TRect{0, 0, 10, 10}));
}

TEST(Arcs, DrawsArcsAsPolyLinesOrParabolas) {
    // Sagitta 20 on a 6260-unit circle: the parabola in 8 pieces.
    QPainterPath flat;
    drawArc3(flat, {0, 0}, apexFromChord({0, 0}, {1000, 0}, 20), {1000, 0});
    ASSERT_EQ(flat.elementCount(), 9);
    EXPECT_EQ(QPointF(flat.elementAt(4)), QPointF(500, -20));
    EXPECT_EQ(QPointF(flat.elementAt(8)), QPointF(1000, 0));

    // A half circle in steps of 2°, either way round, always from p to r.
    for (int side : {-1, 1}) {
        QPainterPath half;
        drawArc3(half, {0, 0}, {50, 50 * side}, {100, 0});
        ASSERT_EQ(half.elementCount(), 91) << side;
        EXPECT_EQ(QPointF(half.elementAt(0)), QPointF(0, 0));
        EXPECT_EQ(QPointF(half.elementAt(45)), QPointF(50, 50 * side));
        EXPECT_EQ(QPointF(half.elementAt(90)), QPointF(100, 0));
        for (int i = 0; i < half.elementCount(); ++i) EXPECT_LE(QLineF(QPointF(50, 0), half.elementAt(i)).length(), 50.0);
    }
}

TEST(Arcs, DrawsClosedBands) {
    QPainterPath band;
    drawBand3(band, {0, 0}, {50, -50}, {100, 0}, 10);
    EXPECT_TRUE(band.contains(QPointF(50, -50)));
    EXPECT_TRUE(band.contains(QPointF(50, -53)));
    EXPECT_FALSE(band.contains(QPointF(50, -57)));
    EXPECT_FALSE(band.contains(QPointF(50, -43)));
    EXPECT_EQ(band.elementAt(0).x, band.elementAt(band.elementCount() - 1).x);

    QPainterPath shallow;
    drawBand3(shallow, {0, 0}, {500, -10}, {1000, 0}, 20);
    EXPECT_TRUE(shallow.contains(QPointF(500, -10)));
    EXPECT_TRUE(shallow.contains(QPointF(500, 0)));
    EXPECT_FALSE(shallow.contains(QPointF(500, 5)));
}

}  // namespace
}  // namespace poremi
