// The colour mark: a fill through a grey mask with soft edges, on images and in PDF files.

#include "objects/picture_alpha_mask.h"
#include "tests/poremi_objects/picture_test_support.h"

#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace poremi {
namespace {

using test::paintObject;
using test::setPicturePixels;

class PictureAlphaMask : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::registerPictureTestClasses(); }
};

// A white square in a black picture.
QImage squareMask(int size = 60, int border = 10) {
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (int y = border; y < size - border; ++y)
        for (int x = border; x < size - border; ++x) image.setPixel(x, y, qRgb(255, 255, 255));
    return image;
}

TLOAlphaMask& redMark(TLOAlphaMask& mark) {
    mark.fillColor().setColor(0x0000FF);
    setPicturePixels(mark.picture(), squareMask());
    return mark;
}

// How many pixels of a row of the mask are neither black nor white.
int midTones(const QImage& mask, int row) {
    int count = 0;
    for (int x = 0; x < mask.width(); ++x) {
        const int v = qGray(mask.pixel(x, row));
        count += v > 12 && v < 243;
    }
    return count;
}

TEST_F(PictureAlphaMask, withoutAPictureNothingShows) {
    TLOAlphaMask mark;
    mark.setRect({0, 0, 100, 100});
    mark.fillColor().setColor(0x0000FF);
    EXPECT_TRUE(mark.mask().isNull());
    const QImage painted = paintObject(mark, {100, 100}, 1.0, Qt::white);
    EXPECT_EQ(painted.pixel(50, 50), qRgb(255, 255, 255));
}

TEST_F(PictureAlphaMask, withoutShadeTheEdgesAreHard) {
    TLOAlphaMask mark;
    redMark(mark).setRect({0, 0, 60, 60});
    const QImage mask = mark.mask();
    EXPECT_EQ(mask.size(), QSize(60, 60));
    EXPECT_EQ(midTones(mask, 30), 0);
    const QImage painted = paintObject(mark, {60, 60}, 1.0, Qt::white);
    test::saveSample(painted, QStringLiteral("picture_alpha_mask_hard"));
    EXPECT_EQ(painted.pixel(30, 30), qRgb(255, 0, 0));
    EXPECT_EQ(painted.pixel(5, 30), qRgb(255, 255, 255));
}

TEST_F(PictureAlphaMask, aShadeOfTenGrowsTheMaskAndFadesItsEdgesOverAboutTenPixels) {
    TLOAlphaMask mark;
    redMark(mark).setShadeSize(10);
    const QImage mask = mark.mask();
    EXPECT_EQ(mask.size(), QSize(80, 80)) << "10 pixels more on every side";
    // Two edges cross the middle row, each ramp about 10 pixels wide.
    const int ramp = midTones(mask, 40) / 2;
    EXPECT_GE(ramp, 7);
    EXPECT_LE(ramp, 14);
    EXPECT_EQ(qGray(mask.pixel(40, 40)), 255);
    EXPECT_EQ(qGray(mask.pixel(1, 40)), 0);
}

TEST_F(PictureAlphaMask, aShadeBeyondThePictureBudgetPaintsNothing) {
    TLOAlphaMask mark;
    redMark(mark).setRect({0, 0, 100, 100});
    mark.setShadeSize(1'000'000);
    EXPECT_TRUE(mark.mask().isNull());
    const QImage painted = paintObject(mark, {100, 100}, 1.0, Qt::white);
    EXPECT_EQ(painted.pixel(50, 50), qRgb(255, 255, 255));
}

TEST_F(PictureAlphaMask, aTurnedMaskCoversItsTurnedRectangle) {
    TLOAlphaMask mark;
    mark.fillColor().setColor(0x0000FF);
    QImage full(40, 20, QImage::Format_RGB32);
    full.fill(Qt::white);
    setPicturePixels(mark.picture(), full);
    mark.setRect({100, 150, 300, 250});
    mark.setAngle(90);
    const QImage painted = paintObject(mark, {400, 400}, 1.0, Qt::white);
    test::saveSample(painted, QStringLiteral("picture_alpha_mask_turned"));
    EXPECT_EQ(painted.pixel(200, 120), qRgb(255, 0, 0));
    EXPECT_EQ(painted.pixel(120, 200), qRgb(255, 255, 255)) << "in the unturned rectangle only";
    EXPECT_TRUE(mark.hitTest({200, 120}));
    EXPECT_FALSE(mark.hitTest({120, 200}));
}

TEST_F(PictureAlphaMask, aShadedEdgeIsAMidToneInAPdfRasterisedByPdftoppm) {
    TLOAlphaMask mark;
    redMark(mark).setShadeSize(10);
    mark.setRect({20, 20, 220, 220});
    const QImage page = test::paintObjectThroughPdf(mark, {240, 240}, QStringLiteral("picture_alpha_mask"));
    ASSERT_FALSE(page.isNull());
    const int row = page.height() / 2;
    EXPECT_GT(qRed(page.pixel(page.width() / 2, row)), 245);
    EXPECT_LT(qGreen(page.pixel(page.width() / 2, row)), 10) << "the middle is the fill";
    EXPECT_GT(qGreen(page.pixel(5, row)), 245) << "outside is the paper";
    int midTone = 0;
    for (int x = 0; x < page.width() / 2; ++x) {
        const int g = qGreen(page.pixel(x, row));
        midTone += g > 40 && g < 215;
    }
    EXPECT_GE(midTone, 4) << "a soft edge, not a hard box";
}

TEST_F(PictureAlphaMask, everyPropertyRoundTripsThroughAFile) {
    TLOAlphaMask mark;
    redMark(mark).setRect({10, 10, 110, 90});
    mark.setAngle(20);
    mark.setShadeSize(4);
    mark.setBlendRatio(70);
    const test::DumpPair dumps = test::roundTripThroughFile(mark, QStringLiteral("picture_alpha_mask"));
    for (const char* property : {"Angle = 20", "FillColor.Color = clRed", "Picture.Data", "ShadeSize = 4", "BlendRatio = 70"})
        EXPECT_TRUE(dumps.written.contains(QLatin1String(property))) << property << "\n" << dumps.written.toStdString();
    EXPECT_EQ(dumps.rewritten, dumps.written);
}

TEST_F(PictureAlphaMask, takesItsSizeFromThePictureOr300By200) {
    TLOAlphaMask mark;
    mark.sizeFromPicture();
    EXPECT_EQ(mark.rect(), (TRect{0, 0, 300, 200}));
    setPicturePixels(mark.picture(), squareMask(360));
    mark.sizeFromPicture();
    EXPECT_EQ(mark.rect(), (TRect{0, 0, 508, 508}));
}

}  // namespace
}  // namespace poremi
