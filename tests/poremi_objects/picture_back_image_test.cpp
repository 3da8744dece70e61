// The background of a face: cover fit clipped to the face, the hole left white, the frame
// band, the blend picture, the blank state, older documents and its stream.

#include "document/model/draw_site.h"
#include "objects/picture_back_image.h"
#include "tests/poremi_objects/picture_test_support.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

#include <cmath>

namespace poremi {
namespace {

using test::paintObject;
using test::setPicturePixels;

constexpr QRgb kCanvas = 0xFF808080;

class PictureBackImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::registerPictureTestClasses(); }
};

// 4:3, orange in the middle, with blue and green marker columns at the left and right edges
// that a cover fit on a square face crops away.
QImage landscapeWithMarkers() {
    QImage image(80, 60, QImage::Format_RGB32);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x)
            image.setPixel(x, y, x < 4 ? qRgb(0, 0, 255) : x >= 76 ? qRgb(0, 255, 0) : qRgb(255, 120 + y, 0));
    return image;
}

TFaceInfo discFace() {
    TFaceInfo face;
    face.faceRect = {0, 0, 1200, 1200};
    face.faceShape = fsDoughnut;
    return face;
}

TEST_F(PictureBackImage, aLandscapeOnADiscCoversTheDiscAndLeavesTheOutsideAndTheHoleAlone) {
    TLOBackImage back;
    back.setRect({0, 0, 1200, 1200});
    back.setFaceInfo(discFace());
    back.fillColor().setKind(TColorSpecKind::cskBitmap);
    setPicturePixels(back.fillColor().imageData().picture(), landscapeWithMarkers());
    back.fillColor().setKind(TColorSpecKind::cskBitmap);
    const QImage painted = paintObject(back, {300, 300}, 0.25, QColor(kCanvas));
    test::saveSample(painted, QStringLiteral("picture_back_image_disc"));

    const double holeRadius = 410 * 0.25 / 2;
    int ring = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x) {
            const double r = std::hypot(x + 0.5 - 150, y + 0.5 - 150);
            const QRgb p = painted.pixel(x, y);
            if (r > 151.5) {
                ASSERT_EQ(p, kCanvas) << "outside the disc at " << x << "," << y;
            } else if (r < holeRadius - 1.5) {
                ASSERT_EQ(p, qRgb(255, 255, 255)) << "in the hole at " << x << "," << y;
            } else if (r > holeRadius + 1.5 && r < 148.5) {
                ++ring;
                ASSERT_EQ(qRed(p), 255) << "the picture covers the disc at " << x << "," << y;
                ASSERT_EQ(qBlue(p), 0) << "the sides are cropped, not squeezed in, at " << x << "," << y;
            }
        }
    EXPECT_GT(ring, 60000);
}

TEST_F(PictureBackImage, aFaceElsewhereOnTheSheetIsPlacedOnTheObject) {
    TLOBackImage back;
    back.setRect({0, 0, 400, 200});
    TFaceInfo face;
    face.faceRect = {1000, 3000, 1400, 3200};
    face.faceShape = fsEllipse;
    back.setFaceInfo(face);
    back.fillColor().setColor(0x0000FF);
    const QImage painted = paintObject(back, {400, 200}, 1.0, QColor(kCanvas));
    EXPECT_EQ(painted.pixel(200, 100), qRgb(255, 0, 0));
    EXPECT_EQ(painted.pixel(3, 3), kCanvas) << "outside the ellipse";
}

TEST_F(PictureBackImage, theFrameBandRunsAlongTheFaceOutline) {
    TLOBackImage back;
    back.setRect({0, 0, 400, 200});
    TFaceInfo face;
    face.faceRect = {0, 0, 400, 200};
    back.setFaceInfo(face);
    back.fillColor().setColor(0x0000FF);
    back.frameColor().setColor(0xFF0000);
    back.setFrameWidth(40);
    const QImage painted = paintObject(back, {400, 200}, 1.0, QColor(kCanvas));
    test::saveSample(painted, QStringLiteral("picture_back_image_frame"));
    EXPECT_EQ(painted.pixel(20, 100), qRgb(0, 0, 255));
    EXPECT_EQ(painted.pixel(380, 100), qRgb(0, 0, 255));
    EXPECT_EQ(painted.pixel(200, 20), qRgb(0, 0, 255));
    EXPECT_EQ(painted.pixel(60, 100), qRgb(255, 0, 0));
    EXPECT_FALSE(back.isDefaultBackground());
}

TEST_F(PictureBackImage, theBlendColourIsMixedInThroughTheBlendPictureByTheRatio) {
    TLOBackImage back;
    back.setRect({0, 0, 200, 100});
    back.fillColor().setColor(0x0000FF);
    back.blendColor().setColor(0xFF0000);
    QImage blend(20, 10, QImage::Format_RGB32);
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 10; ++y) blend.setPixel(x, y, x < 10 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    setPicturePixels(back.blendPicture(), blend);
    struct Case {
        int ratio;
        QRgb light;
    };
    for (const Case& c : {Case{100, qRgb(0, 0, 255)}, Case{50, qRgb(128, 0, 127)}, Case{0, qRgb(255, 0, 0)}}) {
        back.setBlendRatio(c.ratio);
        const QImage painted = paintObject(back, {200, 100}, 1.0, QColor(kCanvas));
        test::saveSample(painted, QStringLiteral("picture_back_image_blend_%1").arg(c.ratio));
        EXPECT_EQ(painted.pixel(40, 50), qRgb(255, 0, 0)) << "black lets the fill show, ratio " << c.ratio;
        const QRgb light = painted.pixel(160, 50);
        EXPECT_NEAR(qRed(light), qRed(c.light), 1) << c.ratio;
        EXPECT_NEAR(qBlue(light), qBlue(c.light), 1) << c.ratio;
    }
}

TEST_F(PictureBackImage, theToolMakesABlankBackgroundAndClearingReturnsToIt) {
    DrawSite site;
    TLOBackImage back;
    EXPECT_EQ(back.layerGroup(), -100);
    EXPECT_EQ(back.blendRatio(), 100);
    back.prepareForTool(QStringLiteral("BackImage"), site);
    EXPECT_TRUE(back.isDefaultBackground());
    EXPECT_FALSE(back.selectable());
    EXPECT_FALSE(back.isEnabled());
    EXPECT_FALSE(back.hitTest({0, 0}));

    setPicturePixels(back.fillColor().imageData().picture(), landscapeWithMarkers());
    back.fillColor().setKind(TColorSpecKind::cskBitmap);
    setPicturePixels(back.blendPicture(), landscapeWithMarkers());
    back.setFrameWidth(10);
    EXPECT_FALSE(back.isDefaultBackground());
    back.clearBackground();
    EXPECT_TRUE(back.isDefaultBackground());
    EXPECT_TRUE(back.fillColor().imageData().isEmpty());
    EXPECT_FALSE(back.blendPicture().hasGraphic());
}

TEST_F(PictureBackImage, everyPropertyAndTheBlendPictureIdRoundTripThroughAFile) {
    TLOBackImage back;
    back.setRect({0, 0, 1200, 1200});
    setPicturePixels(back.fillColor().imageData().picture(), landscapeWithMarkers());
    back.fillColor().setKind(TColorSpecKind::cskBitmap);
    back.frameColor().setColor(0x00FF00);
    back.setFrameWidth(25);
    back.blendColor().setColor(0xFF0000);
    setPicturePixels(back.blendPicture(), landscapeWithMarkers());
    back.blendPicture().setImageID(QStringLiteral("C:\\背景\\blend.png"));
    back.setBlendRatio(40);
    const test::DumpPair dumps = test::roundTripThroughFile(back, QStringLiteral("picture_back_image"));
    for (const char* property : {"FillColor.Kind = cskBitmap", "FillColor.ImageData.Picture.Data", "FrameColor.Color = clLime",
                                 "FrameWidth = 25", "BlendColor.Color = clBlue", "BlendPicture.Data", "BlendPicture.ImageID",
                                 "BlendRatio = 40", "LayerGroup = -100"})
        EXPECT_TRUE(dumps.written.contains(QLatin1String(property))) << property << "\n" << dumps.written.toStdString();
    EXPECT_EQ(dumps.rewritten, dumps.written);
    const auto* copy = dynamic_cast<const TLOBackImage*>(dumps.read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->blendPicture().imageID(), QStringLiteral("C:\\背景\\blend.png"));
}

TEST_F(PictureBackImage, anOlderImageBecomesAPictureFillAndOlderClipsAreIgnored) {
    TLOBackImage back;
    setPicturePixels(back.blendPicture(), landscapeWithMarkers());
    back.setFrameWidth(7);
    back.setBlendShade(true);
    QByteArray stream = test::streamWithRenamedProperty(back, "BlendPicture.Data", "Image.Data");
    stream.replace(QByteArray("\x0A" "FrameWidth"), QByteArray("\x0C" "CenterRadius"));
    stream.replace(QByteArray("\x0A" "BlendShade"), QByteArray("\x0B" "EllipseClip"));
    const std::unique_ptr<TComponent> read = test::readStream(stream);
    const auto& copy = dynamic_cast<const TLOBackImage&>(*read);
    EXPECT_EQ(copy.fillColor().kind(), TColorSpecKind::cskBitmap);
    EXPECT_EQ(copy.fillColor().imageData().picture().width(), 80);
    EXPECT_FALSE(copy.blendPicture().hasGraphic());
    EXPECT_EQ(copy.frameWidth(), 0);
    EXPECT_FALSE(copy.blendShade());
}

}  // namespace
}  // namespace poremi
