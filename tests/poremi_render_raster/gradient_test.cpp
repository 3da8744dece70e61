// The gradient engine: index maps of the seven shapes, the colour tables, and how the master
// image reaches screens and printers.

#include "render/raster/gradient.h"
#include "render/raster/memory_canvas.h"
#include "render/raster/resample.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

#include <cmath>

using namespace poremi;

namespace {

int mapAt(const GradientIndexMap& map, int row, int col) { return map[size_t(row * 128 + col)]; }

// The shapes' indices in closed form (what the fixed-point ramps approximate).
double expectedIndex(GradationKind kind, int angle, int row, int col)
{
    const double x = 2.0 * col / 127 - 1, y = 2.0 * row / 127 - 1;
    const double theta = (360 - angle) * M_PI / 180;
    const double s = std::sin(theta), c = std::cos(theta), m = std::max(std::fabs(s), std::fabs(c));
    switch (kind) {
    case GradationKind::rgkSimple:
        return std::clamp(512 + 512 * m * (s * x + c * y), 0.0, 1023.0);
    case GradationKind::rgkBoxToRim:
    case GradationKind::rgkBoxToCenter:
        return std::clamp(1024 * m * std::max(std::fabs(s * x + c * y), std::fabs(c * x - s * y)), 0.0, 1023.0);
    default:
        return 0;
    }
}

}  // namespace

TEST(GradientMap, LinearAt270RunsLeftToRight)
{
    const GradientIndexMap map = gradientIndexMap(GradationKind::rgkSimple, 270);
    // Per column trunc(2·2²⁵/127) = 528416: column 1 → 8, column 127 → 1023.
    for (int row : {0, 64, 127}) {
        EXPECT_EQ(mapAt(map, row, 0), 0);
        EXPECT_EQ(mapAt(map, row, 1), 8);
        EXPECT_EQ(mapAt(map, row, 64), 516);
        EXPECT_EQ(mapAt(map, row, 127), 1023);
    }
    const GradientIndexMap vertical = gradientIndexMap(GradationKind::rgkSimple, 0);
    EXPECT_EQ(mapAt(vertical, 0, 50), 0);
    EXPECT_EQ(mapAt(vertical, 1, 50), 8);
    EXPECT_EQ(mapAt(vertical, 127, 50), 1023);
    // Normalised angles give the same map.
    EXPECT_EQ(gradientIndexMap(GradationKind::rgkSimple, -90), map);
    EXPECT_EQ(gradientIndexMap(GradationKind::rgkSimple, 630), map);
}

TEST(GradientMap, LinearAndBoxFollowTheirClosedForms)
{
    for (GradationKind kind : {GradationKind::rgkSimple, GradationKind::rgkBoxToRim})
        for (int angle : {0, 30, 45, 90, 135, 180, 200, 270, 315}) {
            const GradientIndexMap map = gradientIndexMap(kind, angle);
            for (int row = 0; row < 128; row += 9)
                for (int col = 0; col < 128; col += 7)
                    ASSERT_NEAR(mapAt(map, row, col), expectedIndex(kind, angle, row, col), 1.01)
                        << int(kind) << " " << angle << " " << row << "," << col;
        }
    // Diagonals reach the first and last stop exactly at opposite corners.
    const GradientIndexMap diagonal = gradientIndexMap(GradationKind::rgkSimple, 315);
    EXPECT_EQ(mapAt(diagonal, 0, 0), 0);
    EXPECT_EQ(mapAt(diagonal, 127, 127), 1023);
    EXPECT_NEAR(mapAt(diagonal, 0, 127), 512, 1);
}

TEST(GradientMap, BoxShapes)
{
    const GradientIndexMap square = gradientIndexMap(GradationKind::rgkBoxToCenter, 0);
    EXPECT_EQ(mapAt(square, 63, 63), 8);   // max(|x|, |y|) = 1/127
    for (int i = 0; i < 128; i += 21) {     // the whole border is the last index
        EXPECT_EQ(mapAt(square, 0, i), 1023);
        EXPECT_EQ(mapAt(square, i, 127), 1023);
    }
    const GradientIndexMap turned = gradientIndexMap(GradationKind::rgkBoxToRim, 45);
    EXPECT_EQ(mapAt(turned, 0, 0), 1023);   // only the corners reach the end
    EXPECT_NEAR(mapAt(turned, 0, 63), 512, 5);
    EXPECT_NEAR(mapAt(turned, 63, 127), 512, 5);
}

TEST(GradientMap, CircleIsTheScaledDistanceFromTheCentre)
{
    const GradientIndexMap map = gradientIndexMap(GradationKind::rgkCircleToCenter, 123);
    // d = round(hypot(0.5, 0.5)·4096) = 2896 → MulDiv(2896, 1024, 367831) = 8.
    EXPECT_EQ(mapAt(map, 63, 63), 8);
    EXPECT_EQ(mapAt(map, 64, 64), 8);
    // hypot(63.5, 0.5)·4096 = 260104.06 → 724.
    EXPECT_EQ(mapAt(map, 63, 0), 724);
    EXPECT_EQ(mapAt(map, 0, 63), 724);
    EXPECT_EQ(mapAt(map, 0, 0), 1023);
    EXPECT_EQ(mapAt(map, 127, 127), 1023);
    EXPECT_EQ(gradientIndexMap(GradationKind::rgkCircleToRim, 0), map);
}

TEST(GradientMap, ConeStartsStraightUpAndTurnsWithTheAngle)
{
    const GradientIndexMap map = gradientIndexMap(GradationKind::rgkConeCounterClockwise, 0);
    // Below the centre: φ = round(atan2(−0.5, 63.5)·4096) = −32 → MulDiv(12836, 1024, 25736) = 511.
    EXPECT_EQ(mapAt(map, 127, 63), 511);
    // The seam lies straight up: left of it index 1, right of it 1023.
    EXPECT_EQ(mapAt(map, 0, 63), 1);
    EXPECT_EQ(mapAt(map, 0, 64), 1023);
    // A quarter turn moves the seam: rot = round(π/2·4096) = 6434.
    const GradientIndexMap turned = gradientIndexMap(GradationKind::rgkConeClockwise, 90);
    // Below the centre: −32 + 6434 = 6402 → MulDiv(19270, 1024, 25736) = 767.
    EXPECT_EQ(mapAt(turned, 127, 63), 767);
}

TEST(GradientTable, TwoStopsAndItsReverse)
{
    const QList<TColor> whiteBlack{0xFFFFFF, 0x000000};
    const GradientColorTable table = gradientColorTable(whiteBlack, GradationKind::rgkSimple);
    EXPECT_EQ(table[0], qRgb(255, 255, 255));
    EXPECT_EQ(table[512], qRgb(128, 128, 128));  // 255 + trunc(0.5 · −255)
    EXPECT_EQ(table[1023], qRgb(1, 1, 1));       // 255 + trunc(1023/1024 · −255)
    const GradientColorTable reversed = gradientColorTable(whiteBlack, GradationKind::rgkCircleToRim);
    EXPECT_EQ(reversed[0], qRgb(1, 1, 1));
    EXPECT_EQ(reversed[1023], qRgb(255, 255, 255));
    for (GradationKind kind : {GradationKind::rgkBoxToRim, GradationKind::rgkConeClockwise})
        EXPECT_EQ(gradientColorTable(whiteBlack, kind)[1023], qRgb(255, 255, 255));
}

TEST(GradientTable, StopsAreReachedAtTheirPositions)
{
    // Red, green, blue as 0x00BBGGRR: green lies exactly at index 512.
    const GradientColorTable table = gradientColorTable({0x0000FF, 0x00FF00, 0xFF0000}, GradationKind::rgkSimple);
    EXPECT_EQ(table[0], qRgb(255, 0, 0));
    EXPECT_EQ(table[512], qRgb(0, 255, 0));
    EXPECT_EQ(table[256], qRgb(128, 127, 0));  // p = 0.5: 255 + trunc(−127.5), 0 + trunc(127.5)
    const GradientColorTable single = gradientColorTable({0x123456}, GradationKind::rgkSimple);
    for (QRgb c : single)
        ASSERT_EQ(c, qRgb(0x56, 0x34, 0x12));
}

TEST(GradientTable, ConeClosesTheLoop)
{
    // Red, blue: the table runs red → blue → red, so both sides of the seam are red.
    const GradientColorTable table = gradientColorTable({0x0000FF, 0xFF0000}, GradationKind::rgkConeCounterClockwise);
    EXPECT_EQ(table[0], qRgb(255, 0, 0));
    EXPECT_EQ(table[512], qRgb(0, 0, 255));
    EXPECT_EQ(table[1023], qRgb(254, 0, 1));
}

TEST(GradientTable, AtMost256StopsCount)
{
    QList<TColor> many(300, 0x000000);
    many[255] = 0xFFFFFF;  // the last stop taken into account
    const GradientColorTable table = gradientColorTable(many, GradationKind::rgkSimple);
    EXPECT_EQ(table[1023], qRgb(191, 191, 191));  // p = 1023·255/1024 = 254.75 → 0 + trunc(0.75·255)
}

TEST(GradientPaint, ScreensStretchTheMasterImage)
{
    const QList<TColor> stops{0x0000FF, 0xFF0000, 0x00FF00};
    const QImage master = gradientMasterImage(stops, 30, GradationKind::rgkBoxToCenter);
    QImage target(256, 256, QImage::Format_RGB32);
    target.fill(Qt::black);
    QPainter painter(&target);
    paintGradient(painter, QRect(0, 0, 256, 256), stops, 30, GradationKind::rgkBoxToCenter);
    painter.end();
    for (int y = 0; y < 256; y += 5)
        for (int x = 0; x < 256; x += 3)
            ASSERT_EQ(target.pixel(x, y), master.pixel(x / 2, y / 2)) << x << "," << y;
}

TEST(GradientPaint, PrintersGetTheLinearEnlargementOfTheVisiblePart)
{
    const QList<TColor> stops{0xFFFFFF, 0x000000};
    const QImage master = gradientMasterImage(stops, 0, GradationKind::rgkCircleToCenter);
    QImage full = createWorkBitmap(300, 200);
    resampleBitmap(full, master, ResampleMode::Linear);

    QImage target(320, 220, QImage::Format_RGB32);
    target.fill(qRgb(1, 2, 3));
    {
        const TPrintTargetMark mark(&target);
        QPainter painter(&target);
        painter.setClipRect(QRect(50, 40, 100, 60));
        paintGradient(painter, QRect(10, 10, 300, 200), stops, 0, GradationKind::rgkCircleToCenter);
    }
    for (int y = 0; y < 220; y += 3)
        for (int x = 0; x < 320; x += 3) {
            const bool inside = QRect(50, 40, 100, 60).contains(x, y);
            ASSERT_EQ(target.pixel(x, y), inside ? full.pixel(x - 10, y - 10) : qRgb(1, 2, 3)) << x << "," << y;
        }
}

TEST(GradientPaint, EmptyRectanglesAndStopListsPaintNothing)
{
    QImage target(10, 10, QImage::Format_RGB32);
    target.fill(qRgb(7, 7, 7));
    QPainter painter(&target);
    paintGradient(painter, QRect(0, 0, 0, 10), {0xFFFFFF, 0}, 0, GradationKind::rgkSimple);
    paintGradient(painter, QRect(0, 0, 10, 10), {}, 0, GradationKind::rgkSimple);
    painter.end();
    EXPECT_EQ(target.pixel(5, 5), qRgb(7, 7, 7));
}
