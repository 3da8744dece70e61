// Lines and arcs: angle and turning, extents, the pen's area when painted and hit, arcs as
// parabola or polyline, and their streams.

#include "base/arithmetic.h"
#include "document/model/document_model_classes.h"
#include "document/stream/value_writer.h"
#include "objects/object_classes.h"
#include "objects/shape_curve.h"
#include "objects/shape_line.h"
#include "render/raster/raster_classes.h"
#include "tests/poremi_objects/shape_canvas.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::isBlack;
using test::isWhite;

class ShapeLine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerRasterClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
};

TEST_F(ShapeLine, angleFollowsThePointsAndTurnsThemAboutTheirMiddle) {
    TLOLine line;
    line.setPoints({0, 0}, {100, 100});
    EXPECT_EQ(line.angle(), 45);
    line.setAngle(0);
    EXPECT_EQ(line.angle(), 0);
    EXPECT_EQ(line.startPoint().y(), 50);
    EXPECT_EQ(line.endPoint().y(), 50);
    EXPECT_NEAR(line.endPoint().x() - line.startPoint().x(), 141, 1);
    EXPECT_EQ(line.startPoint().x() + line.endPoint().x(), 100);
    line.setPoints({100, 100}, {100, 0});
    EXPECT_EQ(line.angle(), -90);  // upwards on the page
}

TEST_F(ShapeLine, extentPlacesTheFartherPointAndKeepsTheNearer) {
    TLOLine line;
    line.setPoints({0, 0}, {100, 0});
    line.setLineWidth(10);
    line.setExtent(200, 10);
    EXPECT_EQ(line.startPoint(), QPoint(0, 0));
    EXPECT_EQ(line.endPoint(), QPoint(190, 0));
    // The bounds are the extent again.
    EXPECT_EQ(rectWidth(line.getBounds()), 200);
    EXPECT_EQ(rectHeight(line.getBounds()), 10);
    // A line drawn right to left moves its start.
    line.setPoints({300, 50}, {100, 20});
    line.setExtent(110, 20);
    EXPECT_EQ(line.startPoint(), QPoint(200, 30));
    EXPECT_EQ(line.endPoint(), QPoint(100, 20));
}

TEST_F(ShapeLine, paintsThePenWithRoundEnds) {
    TLOLine line;
    line.setPoints({100, 100}, {500, 100});
    line.setLineWidth(20);
    const QImage image = test::paintedAt254Dpi(line, {600, 200});
    EXPECT_TRUE(isBlack(image, 300, 90));
    EXPECT_TRUE(isBlack(image, 300, 109));
    EXPECT_TRUE(isWhite(image, 300, 88));
    EXPECT_TRUE(isWhite(image, 300, 111));
    EXPECT_TRUE(isBlack(image, 507, 100));   // the round end
    EXPECT_TRUE(isWhite(image, 508, 92));    // its corner stays empty
    EXPECT_TRUE(isWhite(image, 512, 100));
    EXPECT_EQ(line.getBounds(), (TRect{90, 90, 510, 110}));
    test::keepSample(image, QStringLiteral("shape_line"));
}

TEST_F(ShapeLine, hitsWhereThePenWithAMarginCovers) {
    TLOLine line;
    line.setPoints({0, 0}, {200, 200});
    line.setLineWidth(20);
    // Off a site the pen is 3 units wider: 11.5 units either side of the line.
    const double r = 1 / std::sqrt(2.0);
    const auto across = [&](double distance) { return QPoint(int(std::lround(100 + distance * r)), int(std::lround(100 - distance * r))); };
    EXPECT_TRUE(line.hitTest(across(11)));
    EXPECT_FALSE(line.hitTest(across(13)));
    EXPECT_TRUE(line.hitTest({100, 100}));
    EXPECT_FALSE(line.hitTest({200, 0}));
}

TEST_F(ShapeLine, smallBulgesDrawParabolasAndLargeOnesPolylines) {
    struct Case {
        int bulge;
        int pieces;
    };
    // 8 parabola pieces; a half circle in 2° steps has 90.
    for (const Case c : {Case{15, 8}, Case{20, 8}, Case{300, 90}, Case{-300, 90}}) {
        TLOCurve curve;
        curve.setPoints({100, 400}, {700, 400});
        curve.setBulge(c.bulge);
        EXPECT_EQ(curve.centerLine().elementCount(), c.pieces + 1) << c.bulge;
    }
}

TEST_F(ShapeLine, aPositiveBulgeLiesLeftOfTheDirection) {
    for (const int bulge : {300, -300}) {
        TLOCurve curve;
        curve.setPoints({100, 400}, {700, 400});
        curve.setBulge(bulge);
        curve.setLineWidth(10);
        EXPECT_EQ(curve.apex(), QPoint(400, 400 - bulge));
        const QImage image = test::paintedAt254Dpi(curve, {800, 800});
        EXPECT_TRUE(isBlack(image, 400, 400 - bulge));
        EXPECT_TRUE(isWhite(image, 400, 400 + bulge));
        EXPECT_TRUE(isWhite(image, 400, 400));
        // On the half circle of radius 300 about (400, 400) at 45°.
        EXPECT_TRUE(isBlack(image, 400 + 212, 400 - (bulge > 0 ? 212 : -212)));
        const TRect expected = bulge > 0 ? TRect{95, 95, 705, 405} : TRect{95, 395, 705, 705};
        const TRect bounds = curve.getBounds();
        EXPECT_NEAR(bounds.left, expected.left, 1);
        EXPECT_NEAR(bounds.top, expected.top, 1);
        EXPECT_NEAR(bounds.right, expected.right, 1);
        EXPECT_NEAR(bounds.bottom, expected.bottom, 1);
        if (bulge > 0) test::keepSample(image, QStringLiteral("shape_curve"));
    }
}

TEST_F(ShapeLine, arcEditingMovesTheEndsAndTheApexSetsTheBulge) {
    TLOCurve curve;
    curve.setPoints({100, 400}, {700, 400});
    IDOCurve& editing = curve;
    editing.beginCurveEdit();
    editing.setApex({400, 250});
    EXPECT_EQ(curve.bulge(), 150);
    editing.setApex({400, 500});
    EXPECT_EQ(curve.bulge(), -100);
    editing.setEndPoint({700, 300});
    editing.endCurveEdit();
    EXPECT_EQ(curve.endPoint(), QPoint(700, 300));
    EXPECT_EQ(dynamic_cast<IDOLinePoints&>(curve).endPoint(), QPoint(700, 300));
}

TEST_F(ShapeLine, curveExtentScalesTheChordKeepingTheSmallerCoordinate) {
    TLOCurve curve;
    curve.setPoints({700, 400}, {100, 400});
    curve.setBulge(0);
    curve.setLineWidth(10);
    const TRect before = curve.getBounds();
    curve.setExtent(rectWidth(before) / 2, rectHeight(before));
    EXPECT_EQ(curve.endPoint().x(), 100);
    EXPECT_EQ(curve.startPoint().x(), 100 + mulDiv(600, rectWidth(before) / 2, rectWidth(before)));
}

TEST_F(ShapeLine, everyPropertySurvivesAStreamAndTheAngleIsNotWritten) {
    TLOCurve curve;
    curve.setPoints({10, 20}, {330, -40});
    curve.setBulge(-75);
    curve.setLineWidth(17);
    curve.lineColorObject().setColor(0x0000FF);
    curve.lineColorObject().setStyle(TBrushStyle::bsDiagCross);
    curve.setDontPrint(true);
    const QByteArray bytes = test::streamOf(curve);
    const QString text = dumpComponentStream(bytes);
    EXPECT_FALSE(text.contains(QStringLiteral("Angle")));
    const std::unique_ptr<TComponent> read = test::readStream(bytes);
    const auto* copy = dynamic_cast<const TLOCurve*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->startPoint(), QPoint(10, 20));
    EXPECT_EQ(copy->endPoint(), QPoint(330, -40));
    EXPECT_EQ(copy->bulge(), -75);
    EXPECT_EQ(copy->lineWidth(), 17);
    EXPECT_EQ(copy->lineColor().color(), 0x0000FF);
    EXPECT_EQ(copy->lineColor().style(), TBrushStyle::bsDiagCross);
    EXPECT_TRUE(copy->dontPrint());
    EXPECT_EQ(dumpComponentStream(test::streamOf(*copy)), text);

    // A clone turns nothing while its points arrive.
    TLOLine line;
    line.setPoints({0, 0}, {100, 100});
    const std::unique_ptr<TDrawObject> clone = TDrawObject::clone(line);
    EXPECT_EQ(dynamic_cast<const TLOLine&>(*clone).endPoint(), QPoint(100, 100));
}

TEST_F(ShapeLine, anAngleInAStreamTurnsNothing) {
    ValueWriter w;
    w.bytes().writeBytes("TPF0");
    w.writeShortString("TLOLine");
    w.writeShortString("");
    for (const auto& [name, value] : {std::pair("StartX", 0), std::pair("StartY", 0), std::pair("EndX", 100),
                                      std::pair("EndY", 100), std::pair("Angle", 0)}) {
        w.writeShortString(name);
        w.writeInteger(value);
    }
    w.writeListEnd();
    w.writeListEnd();
    const std::unique_ptr<TComponent> read = test::readStream(w.data());
    const auto* line = dynamic_cast<const TLOLine*>(read.get());
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->endPoint(), QPoint(100, 100));
    EXPECT_EQ(line->angle(), 45);
}

TEST_F(ShapeLine, aNewLineAndCurveHaveTheirDefaults) {
    const TLOLine line;
    EXPECT_EQ(line.lineWidth(), 10);
    const TLOCurve curve;
    EXPECT_EQ(curve.bulge(), 30);
    const QString text = dumpComponentStream(test::streamOf(curve));
    for (const char* written : {"StartX = 0", "EndY = 0", "LineWidth = 10", "Bulge = 30"})
        EXPECT_TRUE(text.contains(QLatin1String(written))) << written;
}

}  // namespace
}  // namespace poremi
