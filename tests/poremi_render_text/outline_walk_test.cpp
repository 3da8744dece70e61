// Glyph outlines are walked through FreeType's C callbacks; exceptions of the receiver must come
// back out as themselves, never unwind through FreeType's frames.

#include "render/text/outline_walk.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <QtCore/QList>
#include <gtest/gtest.h>
#include <new>

namespace poremi {
namespace {

// One closed contour: a triangle of on-curve points.
struct Triangle {
    FT_Vector points[3] = {{0, 0}, {100, 0}, {0, 100}};
    unsigned char tags[3] = {FT_CURVE_TAG_ON, FT_CURVE_TAG_ON, FT_CURVE_TAG_ON};
    short contours[1] = {2};
    FT_Outline outline{1, 3, points, reinterpret_cast<char*>(tags), contours, 0};
};

class Recorder : public OutlineReceiver {
public:
    void moveTo(QPointF to) override { steps.append(QStringLiteral("M%1,%2").arg(to.x()).arg(to.y())); }
    void lineTo(QPointF to) override {
        if (failOnLine) throw std::bad_alloc();
        steps.append(QStringLiteral("L%1,%2").arg(to.x()).arg(to.y()));
    }
    void quadTo(QPointF, QPointF) override { steps.append(QStringLiteral("Q")); }
    void cubicTo(QPointF, QPointF, QPointF) override { steps.append(QStringLiteral("C")); }

    bool failOnLine = false;
    QStringList steps;
};

TEST(OutlineWalk, DeliversTheContour) {
    Triangle triangle;
    Recorder recorder;
    EXPECT_TRUE(walkOutline(triangle.outline, recorder));
    EXPECT_EQ(recorder.steps, (QStringList{"M0,0", "L100,0", "L0,100", "L0,0"}));
}

TEST(OutlineWalk, ExceptionOfTheReceiverComesOutAfterFreeTypeReturns) {
    Triangle triangle;
    Recorder recorder;
    recorder.failOnLine = true;
    EXPECT_THROW(walkOutline(triangle.outline, recorder), std::bad_alloc);
    EXPECT_EQ(recorder.steps, QStringList{"M0,0"});  // the walk stopped at the first failure
}

TEST(OutlineWalk, MalformedOutlineIsRefused) {
    Triangle triangle;
    triangle.contours[0] = 7;  // past the last point
    Recorder recorder;
    EXPECT_FALSE(walkOutline(triangle.outline, recorder));
}

}  // namespace
}  // namespace poremi
