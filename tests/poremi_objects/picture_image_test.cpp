// The picture object: sizes from pixels, its turned outline, its paint with and without a
// frame picture, its coverage, older documents and its stream.

#include "document/model/draw_site.h"
#include "objects/picture_image.h"
#include "objects/picture_size.h"
#include "tests/poremi_objects/picture_test_support.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::paintObject;
using test::setPicturePixels;

class PictureImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::registerPictureTestClasses(); }
};

// Left half red, right half blue, so that turned or cropped paints show where each half went.
QImage twoColourPhoto(QSize size = {40, 20}) {
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) image.setPixel(x, y, x < size.width() / 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    return image;
}

TEST(PictureSize, naturalSizeIsThePixelsAt180PerInchAndAtLeast30Units) {
    struct Case {
        QSize pixels, units;
    };
    for (const Case& c : {Case{{360, 180}, {508, 254}}, Case{{10, 10}, {30, 30}}, Case{{180, 21}, {254, 30}},
                          Case{{22, 1000}, {31, 1411}}})
        EXPECT_EQ(naturalPictureSize(c.pixels), c.units) << c.pixels.width() << "x" << c.pixels.height();
}

TEST(PictureSize, onASiteThePictureFitsTheSquareOnTheLongerSide) {
    EXPECT_EQ(pictureExtent({508, 254}, {0, 0, 400, 300}, true), QSize(400, 200));
    EXPECT_EQ(pictureExtent({254, 508}, {0, 0, 400, 300}, true), QSize(200, 400));
    EXPECT_EQ(pictureExtent({508, 254}, {0, 0, 400, 300}, false), QSize(508, 254));
}

TEST_F(PictureImage, takesItsSizeFromThePictureOnAndOffASite) {
    TLOImage image;
    image.setRect({10, 20, 110, 120});
    setPicturePixels(image.imageData().picture(), twoColourPhoto({360, 180}));
    image.sizeFromPicture();
    EXPECT_EQ(image.rect(), (TRect{10, 20, 518, 274}));

    DrawSite site;
    auto* onSite = new TLOImage(&site);
    site.addDrawObject(*onSite);
    onSite->setRect({0, 0, 400, 300});
    setPicturePixels(onSite->imageData().picture(), twoColourPhoto({360, 180}));
    onSite->sizeFromPicture();
    EXPECT_EQ(onSite->rect(), (TRect{0, 0, 400, 200}));
}

TEST_F(PictureImage, aTurnedImageHitTestsOnItsTurnedOutline) {
    TLOImage image;
    image.setRect({0, 0, 400, 200});
    image.setAngle(30);
    const TRect bounds = image.getBounds();
    EXPECT_LT(bounds.left, 0);
    EXPECT_GT(bounds.bottom, 200);
    EXPECT_TRUE(image.hitTest({200, 100}));
    // In the bounding box and in the unturned rectangle, but outside the turned one.
    EXPECT_FALSE(image.hitTest({bounds.left + 2, bounds.top + 2}));
    EXPECT_FALSE(image.hitTest({395, 5}));
    // Outside the unturned rectangle, inside the turned one (below its bottom edge, right of centre).
    EXPECT_TRUE(image.hitTest({300, 230}));
    EXPECT_TRUE(image.keepAspect());
}

TEST_F(PictureImage, turnedExtentScalesTheStoredSizeByTheVisualOne) {
    TLOImage image;
    image.setRect({0, 0, 400, 200});
    image.setAngle(90);
    // The visual bounds are 200 × 400; asking for half of each halves the stored size.
    image.setExtent(100, 200);
    EXPECT_EQ(image.width(), 200);
    EXPECT_EQ(image.height(), 100);
    image.setAngle(0);
    image.setExtent(120, 80);
    EXPECT_EQ(image.rect(), (TRect{0, 0, 120, 80}));
}

TEST_F(PictureImage, withoutAPictureNothingIsPainted) {
    TLOImage image;
    image.setRect({0, 0, 100, 100});
    image.setAngle(30);
    const QImage painted = paintObject(image, {100, 100}, 1.0, Qt::green);
    EXPECT_EQ(painted.pixel(50, 50), qRgb(0, 255, 0));
}

TEST_F(PictureImage, aTurnedPictureIsPaintedOnItsTurnedRectangleOnly) {
    TLOImage image;
    image.setRect({50, 100, 250, 200});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    image.setAngle(90);
    const QImage painted = paintObject(image, {300, 300}, 1.0, Qt::green);
    test::saveSample(painted, QStringLiteral("picture_image_turned_90"));
    // Turned clockwise by 90°: the picture's left (red) half is now on top.
    EXPECT_EQ(painted.pixel(150, 80), qRgb(255, 0, 0));
    EXPECT_EQ(painted.pixel(150, 220), qRgb(0, 0, 255));
    // Inside the unturned rectangle but outside the turned one: untouched.
    EXPECT_EQ(painted.pixel(70, 150), qRgb(0, 255, 0));
    EXPECT_EQ(painted.pixel(150, 30), qRgb(0, 255, 0));
}

// A frame of 40 × 20 pixels: a border of 4 pixels in dark green, the see-through window
// inside, and the top-left 2 × 2 corner in the colour that cuts the picture away.
QImage framePixels() {
    QImage frame(40, 20, QImage::Format_RGB32);
    frame.fill(qRgb(0, 100, 0));
    for (int y = 4; y < 16; ++y)
        for (int x = 4; x < 36; ++x) frame.setPixel(x, y, TLOImage::frameWindowColor);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) frame.setPixel(x, y, TLOImage::frameCutColor);
    return frame;
}

TEST_F(PictureImage, aFramePictureIsDrawnOverTheImageAndItsKeyColoursShowOrCut) {
    TLOImage image;
    image.setRect({0, 0, 400, 200});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    setPicturePixels(image.framePicture(), framePixels());
    const QImage painted = paintObject(image, {400, 200}, 1.0, Qt::yellow);
    test::saveSample(painted, QStringLiteral("picture_image_frame"));
    EXPECT_EQ(painted.pixel(100, 100), qRgb(255, 0, 0)) << "the window shows the image";
    EXPECT_EQ(painted.pixel(300, 100), qRgb(0, 0, 255));
    EXPECT_EQ(painted.pixel(200, 10), qRgb(0, 100, 0)) << "the frame is drawn";
    EXPECT_EQ(painted.pixel(5, 5), qRgb(255, 255, 0)) << "the cut colour shows the label";
}

TEST_F(PictureImage, anAlphaFrameKeepsOnlyTheImageUnderItsLightParts) {
    TLOImage image;
    image.setRect({0, 0, 400, 200});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    QImage shape(40, 20, QImage::Format_RGB32);
    shape.fill(Qt::black);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 35; ++x) shape.setPixel(x, y, qRgb(255, 255, 255));
    setPicturePixels(image.framePicture(), shape);
    image.setAlphaFrame(true);
    EXPECT_TRUE(image.needsBlending());
    const QImage painted = paintObject(image, {400, 200}, 1.0, Qt::yellow);
    test::saveSample(painted, QStringLiteral("picture_image_alpha_frame"));
    EXPECT_EQ(painted.pixel(100, 100), qRgb(255, 0, 0));
    EXPECT_EQ(painted.pixel(20, 20), qRgb(255, 255, 0)) << "under the frame's dark part";

    QImage mask(400, 200, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        image.drawMask(painter);
    }
    EXPECT_EQ(qBlue(mask.pixel(100, 100)), 255);
    EXPECT_EQ(qBlue(mask.pixel(20, 20)), 0);
}

TEST_F(PictureImage, thePlainMaskCoversTheRectangle) {
    TLOImage image;
    image.setRect({10, 10, 60, 40});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    QImage mask(100, 100, QImage::Format_RGB32);
    mask.fill(Qt::black);
    {
        QPainter painter(&mask);
        image.drawMask(painter);
    }
    EXPECT_EQ(mask.pixel(30, 30), qRgb(255, 255, 255));
    EXPECT_EQ(mask.pixel(70, 30), qRgb(0, 0, 0));
}

TEST_F(PictureImage, theRenderingFollowsAChangeOfSizeAngleAndFrame) {
    TLOImage image;
    image.setRect({0, 0, 200, 100});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    image.setAngle(180);
    QImage painted = paintObject(image, {400, 200}, 1.0, Qt::green);
    EXPECT_EQ(painted.pixel(20, 50), qRgb(0, 0, 255)) << "turned half way the blue half is on the left";
    image.setAngle(360 + 180);
    image.setRect({0, 0, 400, 200});
    painted = paintObject(image, {400, 200}, 1.0, Qt::green);
    EXPECT_EQ(painted.pixel(390, 150), qRgb(255, 0, 0)) << "redrawn at the new size";
}

TEST_F(PictureImage, aHalfTransparentTurnedPictureIsHalfTransparentInAPdf) {
    TLOImage image;
    image.setRect({40, 40, 200, 120});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    image.setAngle(10);
    image.setBlendRatio(50);
    const QImage page = test::paintObjectThroughPdf(image, {240, 160}, QStringLiteral("picture_image_half"));
    ASSERT_FALSE(page.isNull());
    const QRgb red = page.pixel(page.width() * 80 / 240, page.height() / 2);
    EXPECT_GT(qRed(red), 245);
    EXPECT_NEAR(qGreen(red), 128, 12) << "half of the red over white paper";
    EXPECT_GT(qGreen(page.pixel(4, 4)), 245);
}

TEST_F(PictureImage, anOlderPictureBecomesTheImageDataAndAnIllustrationGetsItsTransparentColour) {
    TLOImage image;
    image.setRect({0, 0, 100, 50});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    image.setImageSource(TImageSource::isOnePoint);
    const QByteArray stream = test::streamWithRenamedProperty(image, "ImageData.Picture.Data", "Picture.Data");
    const std::unique_ptr<TComponent> read = test::readStream(stream);
    const auto* copy = dynamic_cast<const TLOImage*>(read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->imageData().picture().width(), 40);
    EXPECT_EQ(copy->imageData().transparentColor(), 0xF0F0F0);

    image.setImageSource(TImageSource::isFile);
    const std::unique_ptr<TComponent> file =
        test::readStream(test::streamWithRenamedProperty(image, "ImageData.Picture.Data", "Picture.Data"));
    EXPECT_EQ(static_cast<const TLOImage&>(*file).imageData().transparentColor(), TImageData::noTransparentColor);
}

TEST_F(PictureImage, everyPropertyRoundTripsThroughAFile) {
    TLOImage image;
    image.setRect({10, 20, 310, 170});
    setPicturePixels(image.imageData().picture(), twoColourPhoto());
    image.imageData().setTransparentColor(0x0000FF);
    setPicturePixels(image.framePicture(), framePixels());
    image.setAlphaFrame(true);
    image.setAngle(15);
    image.setImageSource(TImageSource::isTwain);
    image.setBlendRatio(60);
    const test::DumpPair dumps = test::roundTripThroughFile(image, QStringLiteral("picture_image"));
    for (const char* property : {"ImageData.Picture.Data", "ImageData.TransparentColor", "FramePicture.Data",
                                 "AlphaFrame = True", "Angle = 15", "ImageSource = isTwain", "BlendRatio = 60"})
        EXPECT_TRUE(dumps.written.contains(QLatin1String(property))) << property << "\n" << dumps.written.toStdString();
    EXPECT_EQ(dumps.rewritten, dumps.written);
    const auto* copy = dynamic_cast<const TLOImage*>(dumps.read.get());
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->rect(), image.rect());
}

TEST_F(PictureImage, aNewImageWritesItsAngleAndSource) {
    const TLOImage image;
    const test::DumpPair dumps = test::roundTripThroughFile(image, QStringLiteral("picture_image_new"));
    EXPECT_TRUE(dumps.written.contains(QLatin1String("Angle = 0")));
    EXPECT_TRUE(dumps.written.contains(QLatin1String("ImageSource = isFile")));
    EXPECT_FALSE(dumps.written.contains(QLatin1String("AlphaFrame")));
}

}  // namespace
}  // namespace poremi
