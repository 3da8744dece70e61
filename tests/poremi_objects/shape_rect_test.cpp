// Rectangles and ellipses: frame bands, flat and narrow framed rectangles, rounded corners,
// fills, turned outlines, their streams and the legacy "Round".

#include "document/model/document_model_classes.h"
#include "document/stream/value_writer.h"
#include "render/raster/gradient.h"
#include "objects/object_classes.h"
#include "objects/shape_circle.h"
#include "objects/shape_rect.h"
#include "render/raster/raster_classes.h"
#include "tests/poremi_objects/shape_canvas.h"

#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::isBlack;
using test::isWhite;

class ShapeRect : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        registerRasterClasses();
        registerDocumentModelClasses();
        registerObjectClasses();
    }
};

struct BandCase {
    int frameWidth;
    int outside;  // units of the band left of (above) the outline
    int inside;   // units right of (below) it
};

class FrameBand : public ShapeRect, public ::testing::WithParamInterface<BandCase> {};

TEST_P(FrameBand, isCentredOnTheOutlineOnEverySide) {
    const BandCase band = GetParam();
    TLORect shape;
    shape.setRect({100, 100, 400, 220});
    shape.setFrameWidth(band.frameWidth);
    const QImage image = test::paintedAt254Dpi(shape, {500, 320});
    // Left and right edges along row 160, top and bottom edges along column 250; the band
    // lies `outside` before each edge coordinate and `inside` from it.
    for (const auto& [edge, vertical] : {std::pair(100, true), std::pair(400, true), std::pair(100, false), std::pair(220, false)}) {
        const auto at = [&](int offset) { return vertical ? QPoint(edge + offset, 160) : QPoint(250, edge + offset); };
        SCOPED_TRACE(testing::Message() << "edge " << edge << (vertical ? " (vertical)" : " (horizontal)"));
        EXPECT_TRUE(isBlack(image, at(-band.outside).x(), at(-band.outside).y()));
        EXPECT_TRUE(isWhite(image, at(-band.outside - 1).x(), at(-band.outside - 1).y()));
        EXPECT_TRUE(isBlack(image, at(band.inside - 1).x(), at(band.inside - 1).y()));
        EXPECT_TRUE(isWhite(image, at(band.inside).x(), at(band.inside).y()));
    }
    EXPECT_TRUE(isWhite(image, 250, 160));  // no fill
}

INSTANTIATE_TEST_SUITE_P(Widths, FrameBand, ::testing::Values(BandCase{30, 15, 15}, BandCase{31, 15, 16}, BandCase{1, 0, 1}));

TEST_F(ShapeRect, aFrameAtLeastAsWideAsTheRectanglePaintsTheWholeGrownRectangle) {
    struct Case {
        TRect rect;
        int frameWidth;
        TRect solid;  // every pixel inside is painted, none next to it
    };
    const Case cases[] = {
        {{100, 100, 400, 100}, 10, {95, 95, 405, 105}},   // flat: a solid rule
        {{100, 100, 108, 300}, 10, {95, 95, 113, 305}},   // narrower than its frame
        {{100, 100, 110, 300}, 10, {95, 95, 115, 305}},   // exactly as wide
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect << " frame " << c.frameWidth);
        TLORect shape;
        shape.setRect(c.rect);
        shape.setFrameWidth(c.frameWidth);
        const QImage image = test::paintedAt254Dpi(shape, {500, 400});
        int missing = 0;
        for (int y = c.solid.top; y < c.solid.bottom; ++y)
            for (int x = c.solid.left; x < c.solid.right; ++x) missing += !isBlack(image, x, y);
        EXPECT_EQ(missing, 0);
        EXPECT_TRUE(isWhite(image, c.solid.left - 1, (c.solid.top + c.solid.bottom) / 2));
        EXPECT_TRUE(isWhite(image, c.solid.right, (c.solid.top + c.solid.bottom) / 2));
        EXPECT_TRUE(isWhite(image, (c.solid.left + c.solid.right) / 2, c.solid.top - 1));
        EXPECT_TRUE(isWhite(image, (c.solid.left + c.solid.right) / 2, c.solid.bottom));
        test::keepSample(image, QStringLiteral("shape_rect_solid_%1x%2").arg(rectWidth(c.rect)).arg(rectHeight(c.rect)));
    }
}

TEST_F(ShapeRect, roundedCornersHaveAThirdOfTheShorterSideAsDiameter) {
    TLORect shape;
    shape.setRect({100, 100, 400, 220});
    shape.setRoundRect(true);
    shape.setFrameWidth(0);
    shape.setFillInside(true);
    EXPECT_EQ(shape.cornerDiameter(), 40);
    const QImage image = test::paintedAt254Dpi(shape, {500, 320});
    // The corner's circle (radius 20 about (120, 120)) passes between these on the diagonal.
    EXPECT_TRUE(isWhite(image, 104, 104));
    EXPECT_TRUE(isBlack(image, 108, 108));
    EXPECT_TRUE(isWhite(image, 395, 215));
    EXPECT_TRUE(isBlack(image, 391, 211));
    // The straight edges start where the corners end.
    EXPECT_TRUE(isBlack(image, 125, 100));
    EXPECT_TRUE(isBlack(image, 100, 125));
    test::keepSample(image, QStringLiteral("shape_rect_rounded"));
}

TEST_F(ShapeRect, insideIsFilledOnlyWithFillInsideAndRoomInsideTheFrame) {
    TColorSpec red;
    red.setColor(0x0000FF);
    struct Case {
        bool fillInside;
        int frameWidth;
        QRgb centre;
    };
    for (const Case c : {Case{true, 10, qRgb(255, 0, 0)}, Case{false, 10, qRgb(255, 255, 255)}, Case{true, 0, qRgb(255, 0, 0)}}) {
        TLORect shape;
        shape.setRect({100, 100, 400, 220});
        shape.setFillColor(red);
        shape.setFillInside(c.fillInside);
        shape.setFrameWidth(c.frameWidth);
        const QImage image = test::paintedAt254Dpi(shape, {500, 320});
        EXPECT_EQ(image.pixel(250, 160), c.centre);
        EXPECT_EQ(isBlack(image, 100, 160), c.frameWidth > 0);
        EXPECT_TRUE(isWhite(image, 90, 160));
    }
}

TEST_F(ShapeRect, turnedRectangleTurnsItsFrameBoundsAndHits) {
    TLORect shape;
    shape.setRect({100, 100, 400, 200});
    shape.setFrameWidth(20);
    shape.setAngle(90);
    // Turned about (250, 150): 100 wide and 300 high, grown by the frame.
    EXPECT_EQ(shape.getBounds(), (TRect{190, -10, 310, 310}));
    const QImage image = test::paintedAt254Dpi(shape, {500, 320});
    EXPECT_TRUE(isBlack(image, 250, 5));    // the turned top edge's band
    EXPECT_TRUE(isWhite(image, 250, 150));  // the inside
    EXPECT_TRUE(isWhite(image, 120, 150));  // where the unturned frame was
    EXPECT_TRUE(shape.hitTest({250, 2}));
    EXPECT_FALSE(shape.hitTest({250, 150}));
    EXPECT_FALSE(shape.hitTest({105, 150}));
    shape.setFillInside(true);
    EXPECT_TRUE(shape.hitTest({250, 150}));
    test::keepSample(image, QStringLiteral("shape_rect_turned"));
}

TEST_F(ShapeRect, extentIsTheRectangleWithItsFrame) {
    TLORect shape;
    shape.setRect({100, 100, 400, 200});
    shape.setFrameWidth(20);
    shape.setExtent(220, 120);
    EXPECT_EQ(shape.rect(), (TRect{100, 100, 300, 200}));
    const TRect bounds = shape.getBounds();
    EXPECT_EQ(rectWidth(bounds), 220);
    EXPECT_EQ(rectHeight(bounds), 120);
    // Turned, Width scales by the ratio of the extents' widths and Height by the heights'.
    shape.setAngle(90);
    const TRect turned = shape.getBounds();
    shape.setExtent(rectWidth(turned) * 2, rectHeight(turned));
    EXPECT_EQ(shape.width(), 400);
    EXPECT_EQ(shape.height(), 100);
}

TEST_F(ShapeRect, ellipseFrameBandAndTurnedBounds) {
    TLOCircle shape;
    shape.setRect({100, 100, 400, 220});
    shape.setFrameWidth(30);
    const QImage image = test::paintedAt254Dpi(shape, {500, 320});
    // On the long axis the band runs from 85 to 115, at the top from 85 to 115.
    EXPECT_TRUE(isBlack(image, 86, 160));
    EXPECT_TRUE(isBlack(image, 113, 160));
    EXPECT_TRUE(isWhite(image, 83, 160));
    EXPECT_TRUE(isWhite(image, 117, 160));
    EXPECT_TRUE(isBlack(image, 250, 86));
    EXPECT_TRUE(isWhite(image, 250, 160));
    // The corners of the rectangle stay empty.
    EXPECT_TRUE(isWhite(image, 105, 105));
    EXPECT_EQ(shape.getBounds(), (TRect{85, 85, 415, 235}));
    shape.setAngle(90);
    const TRect turned = shape.getBounds();
    EXPECT_NEAR(rectWidth(turned), 150, 1);
    EXPECT_NEAR(rectHeight(turned), 330, 1);
    test::keepSample(image, QStringLiteral("shape_circle"));
}

TEST_F(ShapeRect, gradientsAndHatchesPaintOnlyInsideTheirShapes) {
    TLORect rounded;
    rounded.setRect({40, 40, 440, 240});
    rounded.setRoundRect(true);
    rounded.setFillInside(true);
    rounded.fillColorObject().setKind(TColorSpecKind::cskGradation);
    rounded.frameColorObject().setColor(0x0000C0);
    rounded.frameColorObject().setStyle(TBrushStyle::bsDiagCross);
    rounded.setFrameWidth(24);
    TLOCircle ellipse;
    ellipse.setRect({500, 40, 800, 240});
    ellipse.setAngle(30);
    ellipse.setFillInside(true);
    ellipse.fillColorObject().setKind(TColorSpecKind::cskGradation);
    ellipse.fillColorObject().setGradKind(GradationKind::rgkCircleToCenter);
    ellipse.setFrameWidth(8);
    QImage image(840, 280, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        rounded.paintTo(painter);
        ellipse.paintTo(painter);
    }
    // The gradient runs from white on the left to black on the right of the inside.
    EXPECT_GT(qGray(image.pixel(80, 140)), 200);
    EXPECT_LT(qGray(image.pixel(400, 140)), 60);
    const int middle = qGray(image.pixel(240, 140));
    EXPECT_GT(middle, 90);
    EXPECT_LT(middle, 170);
    EXPECT_TRUE(isWhite(image, 33, 33));  // outside the rounded corner's band
    EXPECT_TRUE(isWhite(image, 505, 45));  // outside the ellipse
    test::keepSample(image, QStringLiteral("shape_fills"));
}

TEST_F(ShapeRect, aFillChangeIsAChangeOfTheObject) {
    TLORect shape;
    int changes = 0;
    TListener listener([&](MessageSender, const Guid& message) { changes += message == msgChanged; });
    listener.listenTo(shape.changeNotify());
    shape.fillColorObject().setColor(0x00FF00);
    EXPECT_EQ(changes, 1);
    shape.frameColorObject().setStyle(TBrushStyle::bsCross);
    EXPECT_EQ(changes, 2);
    shape.setRoundRect(true);
    EXPECT_EQ(changes, 3);
    // The frame is the line the editing screens colour.
    TColorSpec green;
    green.setColor(0x00FF00);
    dynamic_cast<IDOLineColor&>(shape).setLineColor(green);
    EXPECT_EQ(shape.frameColor().color(), 0x00FF00);
    EXPECT_EQ(changes, 4);
}

TEST_F(ShapeRect, everyPropertySurvivesAStream) {
    for (const bool circle : {false, true}) {
        std::unique_ptr<TLORect> shape = circle ? std::make_unique<TLOCircle>() : std::make_unique<TLORect>();
        shape->setRect({10, 20, 310, 220});
        shape->setFrameWidth(25);
        shape->frameColorObject().setColor(0x123456);
        shape->fillColorObject().setKind(TColorSpecKind::cskGradation);
        shape->fillColorObject().setGradAngle(45);
        shape->setFillInside(true);
        shape->setAngle(30);
        shape->setRoundRect(!circle);
        shape->setBlendRatio(60);
        const QByteArray bytes = test::streamOf(*shape);
        const std::unique_ptr<TComponent> read = test::readStream(bytes);
        auto* copy = dynamic_cast<TLORect*>(read.get());
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->className(), shape->className());
        EXPECT_EQ(copy->rect(), shape->rect());
        EXPECT_EQ(copy->frameWidth(), 25);
        EXPECT_EQ(copy->frameColor().color(), 0x123456);
        EXPECT_EQ(copy->fillColor().kind(), TColorSpecKind::cskGradation);
        EXPECT_EQ(copy->fillColor().gradAngle(), 45);
        EXPECT_TRUE(copy->fillInside());
        EXPECT_EQ(copy->angle(), 30);
        EXPECT_EQ(copy->roundRect(), !circle);
        EXPECT_EQ(copy->blendRatio(), 60);
        const QString text = dumpComponentStream(bytes);
        EXPECT_EQ(dumpComponentStream(test::streamOf(*copy)), text);
        EXPECT_FALSE(text.contains(QStringLiteral("Round =")));
    }
}

TEST_F(ShapeRect, aNewRectangleWritesFrameAndFlagsAndNoRound) {
    const TLORect shape;
    EXPECT_EQ(shape.frameWidth(), 10);
    EXPECT_FALSE(shape.fillInside());
    const QString text = dumpComponentStream(test::streamOf(shape));
    for (const char* written : {"FrameWidth = 10", "FillInside = False", "Angle = 0", "RoundRect = False"})
        EXPECT_TRUE(text.contains(QLatin1String(written))) << written << "\n" << text.toStdString();
}

QByteArray legacyRectangle(const char* round) {
    ValueWriter w;
    w.bytes().writeBytes("TPF0");
    w.writeShortString("TLORect");
    w.writeShortString("");
    for (const auto& [name, value] : {std::pair("Left", 100), std::pair("Top", 100), std::pair("Width", 300), std::pair("Height", 120)}) {
        w.writeShortString(name);
        w.writeInteger(value);
    }
    w.writeShortString("FrameWidth");
    w.writeInteger(10);
    w.writeShortString("Round");
    w.writeIdent(QString::fromLatin1(round));
    w.writeListEnd();
    w.writeListEnd();
    return w.data();
}

TEST_F(ShapeRect, theLegacyRoundSetsRoundedCorners) {
    for (const auto& [round, expected] : {std::pair("True", true), std::pair("False", false)}) {
        const std::unique_ptr<TComponent> read = test::readStream(legacyRectangle(round));
        const auto* shape = dynamic_cast<const TLORect*>(read.get());
        ASSERT_NE(shape, nullptr);
        EXPECT_EQ(shape->roundRect(), expected) << round;
        EXPECT_EQ(shape->rect(), (TRect{100, 100, 400, 220}));
    }
}

}  // namespace
}  // namespace poremi
