#include "render/geometry/scaler.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

QImage imageAt(int dpiX, int dpiY) {
    QImage image(64, 64, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpiX / 0.0254));
    image.setDotsPerMeterY(qRound(dpiY / 0.0254));
    return image;
}

struct ScalerAt {
    TScaler scaler;
    ScalerAt(int scale, int unitDpi) {
        scaler.setUnitDpi(unitDpi);
        scaler.setScale(scale);
    }
};

TEST(Scaler, ConvertsPointsWithMulDivPerAxis) {
    const struct {
        int scale;
        DeviceResolution device;
        QPoint in, out;
    } cases[] = {
        {100, {96, 96}, {254, 254}, {96, 96}},           // one inch
        {100, {96, 96}, {1, 1}, {0, 0}},                 // 0.378 rounds to 0
        {100, {96, 96}, {-254, -3}, {-96, -1}},          // -1.13 -> -1
        {100, {254, 254}, {123, -45}, {123, -45}},       // one pixel per unit
        {200, {254, 254}, {10, -10}, {20, -20}},
        {25, {254, 254}, {2, 6}, {1, 2}},                // 0.5 -> 1, 1.5 -> 2 (halves away from zero)
        {25, {254, 254}, {-2, -6}, {-1, -2}},
        {100, {1200, 600}, {254, 254}, {1200, 600}},     // separate resolutions
        {400, {2400, 2400}, {3000, -3000}, {113386, -113386}},  // 3000 × 960000 overflows 32 bits
    };
    for (const auto& c : cases) {
        ScalerAt s(c.scale, 254);
        EXPECT_EQ(s.scaler.logToDevPoint(c.device, c.in), c.out) << c.scale << "% " << c.device.x << "x" << c.device.y;
    }
}

TEST(Scaler, ConvertsDevicePointsBack) {
    ScalerAt s(150, 254);
    EXPECT_EQ(s.scaler.devToLogPoint(DeviceResolution{96, 96}, QPoint(144, -144)), QPoint(254, -254));
    EXPECT_EQ(s.scaler.devToLogPoint(DeviceResolution{1200, 600}, QPoint(1800, 900)), QPoint(254, 254));
    ScalerAt huge(400, 254);
    EXPECT_EQ(huge.scaler.devToLogPoint(DeviceResolution{2400, 2400}, QPoint(113386, 0)), QPoint(3000, 0));
}

TEST(Scaler, RoundsDeviceRectanglesOutwardsTruncatingTowardZero) {
    const struct {
        int scale;
        DeviceResolution device;
        TRect in, out;
    } cases[] = {
        {100, {96, 96}, {0, 0, 1, 1}, {0, 0, 1, 1}},
        {100, {96, 96}, {0, 0, 254, 508}, {0, 0, 96, 192}},
        {100, {96, 96}, {10, 10, 20, 20}, {3, 3, 8, 8}},          // 3.78 -> 3, 7.56 -> 8
        // Negative coordinates truncate toward zero on both sides (Left -1 becomes 0).
        {100, {96, 96}, {-1, -1, -1, -1}, {0, 0, 0, 0}},
        {100, {96, 96}, {-254, -30, -10, -5}, {-96, -11, -2, 0}},  // Right/Bottom add den - 1 also when negative
        {100, {1200, 600}, {0, 0, 254, 254}, {0, 0, 1200, 600}},
        {400, {2400, 2400}, {-3000, 0, 3000, 1}, {-113385, 0, 113386, 38}},
    };
    for (const auto& c : cases) {
        ScalerAt s(c.scale, 254);
        const TRect r = s.scaler.logToDevRect(c.device, c.in);
        EXPECT_EQ(r, c.out) << c.in;
    }
}

TEST(Scaler, TakesTheResolutionOfTheCanvas) {
    const QImage image = imageAt(1200, 600);
    EXPECT_EQ(deviceResolution(image), (DeviceResolution{1200, 600}));
    ScalerAt s(100, 254);
    EXPECT_EQ(s.scaler.logToDevPoint(image, QPoint(254, 254)), QPoint(1200, 600));
}

TEST(Scaler, FiresOnChangeOnlyOnRealChangesAndAfterAssign) {
    TScaler scaler;
    int fired = 0;
    scaler.OnChange = [&] { ++fired; };
    scaler.setScale(100);
    EXPECT_EQ(fired, 0);
    scaler.setScale(200);
    scaler.setUnitDpi(254);
    scaler.setUnitDpi(254);
    EXPECT_EQ(fired, 2);
    TScaler other;
    other.setScale(50);
    scaler.assign(other);
    EXPECT_EQ(fired, 3);
    EXPECT_EQ(scaler.scale(), 50);
    EXPECT_EQ(scaler.unitDpi(), other.unitDpi());
}

TEST(Scaler, StepsThroughTheZoomLevels) {
    const struct { int scale, next, previous; } cases[] = {
        {100, 150, 75}, {25, 50, 25}, {400, 400, 200}, {120, 150, 100}, {10, 25, 10}, {500, 500, 400},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nextZoomStep(c.scale), c.next) << c.scale;
        EXPECT_EQ(previousZoomStep(c.scale), c.previous) << c.scale;
    }
}

TEST(Scaler, PrepareCanvasSetsAReducedMappingAndKeepsTheOrigin) {
    QImage image = imageAt(96, 96);
    ScalerAt s(100, 254);
    QPainter painter(&image);
    s.scaler.prepareCanvas(painter);
    EXPECT_EQ(painter.window(), QRect(0, 0, 127, 127));   // 25400 / 200
    EXPECT_EQ(painter.viewport(), QRect(0, 0, 48, 48));   // 9600 / 200
    EXPECT_EQ(painter.combinedTransform().map(QPointF(254, 508)), QPointF(96, 192));

    // A mapping whose logical (0, 0) lay at device (10, 20) keeps it there.
    painter.setWindow(-10, -20, 64, 64);
    painter.setViewport(0, 0, 64, 64);
    ScalerAt t(200, 254);
    t.scaler.prepareCanvas(painter, 254);
    EXPECT_EQ(painter.combinedTransform().map(QPointF(0, 0)), QPointF(10, 20));
    EXPECT_EQ(painter.combinedTransform().map(QPointF(5, 5)), QPointF(20, 30));
}

TEST(Scaler, PrepareCanvasMapsSeparateResolutionsAndFontsInUnits) {
    QImage image = imageAt(1200, 600);
    ScalerAt s(100, 254);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPointSize(36);
    painter.setFont(font);
    s.scaler.prepareCanvas(painter);
    EXPECT_EQ(painter.combinedTransform().map(QPointF(254, 254)), QPointF(1200, 600));
    EXPECT_EQ(painter.font().pixelSize(), 127);  // 36 pt = half an inch = 127 units
}

}  // namespace
}  // namespace poremi
