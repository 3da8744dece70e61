#include "render/geometry/stroke.h"
#include "render/geometry/transformer.h"

#include <QtGui/QPainterPath>
#include <cmath>
#include <gtest/gtest.h>

namespace poremi {
namespace {

struct Expected {
    int x, y, type;
};

void expectPoints(const TStroke& stroke, std::initializer_list<Expected> expected) {
    ASSERT_EQ(stroke.count(), int(expected.size()));
    int i = 0;
    for (const Expected& e : expected) {
        EXPECT_EQ(stroke.point(i), QPoint(e.x, e.y)) << "point " << i;
        EXPECT_EQ(int(stroke.pointType(i)), e.type) << "point " << i;
        ++i;
    }
}

TEST(Stroke, BuildsRectanglesEllipsesAndRoundRects) {
    TStroke stroke;
    stroke.setRectangle({0, 0, 10, 20});
    expectPoints(stroke, {{0, 0, 6}, {10, 0, 2}, {10, 20, 2}, {0, 20, 3}});

    // Control offsets round(100 × 0.5522847 / 2) = 28 and round(60 × 0.5522847 / 2) = 17.
    stroke.setEllipse({0, 0, 100, 60});
    expectPoints(stroke, {{100, 30, 6}, {100, 13, 4}, {78, 0, 4}, {50, 0, 4}, {22, 0, 4}, {0, 13, 4}, {0, 30, 4},
                          {0, 47, 4}, {22, 60, 4}, {50, 60, 4}, {78, 60, 4}, {100, 47, 4}, {100, 30, 5}});

    // Corner radius 20, control offset round(40 × 0.5522847 / 2) = 11.
    stroke.setRoundRect({0, 0, 200, 100}, 40);
    expectPoints(stroke, {{200, 20, 6}, {200, 9, 4}, {191, 0, 4}, {180, 0, 4}, {20, 0, 2}, {9, 0, 4}, {0, 9, 4},
                          {0, 20, 4}, {0, 80, 2}, {0, 91, 4}, {9, 100, 4}, {20, 100, 4}, {180, 100, 2},
                          {191, 100, 4}, {200, 91, 4}, {200, 80, 4}, {200, 20, 3}});
    EXPECT_EQ(stroke.getBoundsRect(), (TRect{0, 0, 200, 100}));
    stroke.clear();
    EXPECT_EQ(stroke.getBoundsRect(), TRect{});
}

TEST(Stroke, CapturesPainterPathsWithClosedFigures) {
    QPainterPath rect;
    rect.addRect(QRectF(0, 0, 10, 20));
    TStroke captured, built;
    captured.appendPath(rect);
    built.setRectangle({0, 0, 10, 20});
    EXPECT_EQ(captured, built);

    // Qt runs its ellipse the other way round (down first); the figure is closed by its cubic.
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(0, 0, 100, 60));
    captured.clear();
    captured.appendPath(ellipse);
    expectPoints(captured, {{100, 30, 6}, {100, 47, 4}, {78, 60, 4}, {50, 60, 4}, {22, 60, 4}, {0, 47, 4}, {0, 30, 4},
                            {0, 13, 4}, {22, 0, 4}, {50, 0, 4}, {78, 0, 4}, {100, 13, 4}, {100, 30, 5}});

    // An open poly-line stays open; two figures follow each other.
    QPainterPath open;
    open.moveTo(0, 0);
    open.lineTo(10.4, 0);
    open.lineTo(10, 9.6);
    open.addRect(QRectF(20, 20, 5, 5));
    captured.clear();
    captured.appendPath(open);
    expectPoints(captured, {{0, 0, 6}, {10, 0, 2}, {10, 10, 2}, {20, 20, 6}, {25, 20, 2}, {25, 25, 2}, {20, 25, 3}});
}

TEST(Stroke, SubdividesStraightSegmentsIncludingTheClosingOne) {
    TStroke stroke;
    stroke.setRectangle({0, 0, 100, 100});
    stroke.subdivide();
    ASSERT_EQ(stroke.count(), 52);
    EXPECT_EQ(stroke.pointType(0), ptMoveTo);
    EXPECT_EQ(stroke.pointType(51), ptLineToClose);
    int eights = 0, fours = 0;
    for (int i = 0; i < stroke.count(); ++i) {
        const QPoint d = stroke.point((i + 1) % stroke.count()) - stroke.point(i);
        const int length = int(std::lround(std::hypot(d.x(), d.y())));
        if (length == 8) ++eights;
        else if (length == 4) ++fours;
        else ADD_FAILURE() << "piece " << i << " is " << length << " long";
    }
    EXPECT_EQ(eights, 48);  // twelve pieces of 8 and one of 4 per side
    EXPECT_EQ(fours, 4);

    // A diagonal keeps its direction; cubic points are left alone.
    stroke.clear();
    stroke.addPoint(0, 0, ptMoveTo);
    stroke.addPoint(30, 40, ptLineTo);
    stroke.subdivide();
    expectPoints(stroke, {{0, 0, 6}, {5, 6, 2}, {10, 13, 2}, {14, 19, 2}, {19, 26, 2}, {24, 32, 2}, {29, 38, 2},
                          {30, 40, 2}});
    TStroke ellipse;
    ellipse.setEllipse({0, 0, 100, 60});
    TStroke copy = ellipse;
    copy.subdivide();
    EXPECT_EQ(copy, ellipse);
}

TEST(Stroke, ReplaysIntoAPainterPath) {
    TStroke stroke;
    EXPECT_EQ(stroke.toPath().elementCount(), 0);  // an empty stroke paints nothing

    stroke.setRectangle({0, 0, 10, 20});
    const QPainterPath rect = stroke.toPath();
    ASSERT_EQ(rect.elementCount(), 5);
    EXPECT_EQ(QPointF(rect.elementAt(4)), QPointF(0, 0));
    EXPECT_TRUE(rect.contains(QPointF(5, 10)));

    stroke.setEllipse({0, 0, 1000, 600});
    const QPainterPath fine = stroke.toPath();
    EXPECT_GT(fine.elementCount(), 4 * 40);
    // Every quarter ends exactly on its side midpoint.
    bool top = false, left = false;
    for (int i = 0; i < fine.elementCount(); ++i) {
        top = top || QPointF(fine.elementAt(i)) == QPointF(500, 0);
        left = left || QPointF(fine.elementAt(i)) == QPointF(0, 300);
    }
    EXPECT_TRUE(top && left);
    // On a coarse device all pieces of a quarter fall on one pixel: only the exact ends remain.
    const QPainterPath coarse = stroke.toPath(QTransform::fromScale(0.0001, 0.0001));
    EXPECT_EQ(coarse.elementCount(), 5);
    EXPECT_TRUE(coarse.contains(QPointF(500, 300)));
}

TEST(Stroke, RotatorTurnsClockwiseOnThePage) {
    const struct { double angle; QPoint center, in, out; } cases[] = {
        {90, {0, 0}, {10, 0}, {0, 10}},
        {-90, {0, 0}, {10, 0}, {0, -10}},
        {180, {5, 5}, {10, 5}, {0, 5}},
        {45, {0, 0}, {10, 0}, {7, 7}},
        {30, {100, 100}, {100, 100}, {100, 100}},
    };
    for (const auto& c : cases) EXPECT_EQ(TRotator(c.angle, c.center).transformPoint(c.in), c.out) << c.angle;

    TStroke stroke;
    stroke.setRectangle({0, 0, 10, 20});
    TRotator(90).transformStroke(stroke);
    expectPoints(stroke, {{0, 0, 6}, {0, 10, 2}, {-20, 10, 2}, {-20, 0, 3}});
}

}  // namespace
}  // namespace poremi
