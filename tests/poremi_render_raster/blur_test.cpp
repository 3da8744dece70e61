// The Gaussian blur by its properties: flat areas stay flat, symmetry, range, the width of the
// soft edge, and which radii blur at all.

#include "render/raster/blur.h"
#include "render/raster/pixel_layout.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace poremi;

namespace {

QImage greyImage(int w, int h, int value)
{
    QImage image = createGreyBitmap(w, h);
    image.fill(uint(value));
    return image;
}

int at(const QImage& image, int x, int y) { return image.constScanLine(y)[x]; }

// A white square in the middle of a black field.
QImage square(int size, int inset)
{
    QImage image = greyImage(size, size, 0);
    for (int y = inset; y < size - inset; ++y)
        for (int x = inset; x < size - inset; ++x)
            image.scanLine(y)[x] = 255;
    return image;
}

}  // namespace

TEST(Blur, FlatImagesStayFlat)
{
    for (double radius : {1.0, 3.0, 10.0, 50.0, 50.5, 120.0})
        for (int value : {0, 1, 128, 254, 255}) {
            QImage image = greyImage(40, 30, value);
            blurBitmap(image, image.rect(), radius, radius);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 40; ++x)
                    ASSERT_EQ(at(image, x, y), value) << radius << " " << x << "," << y;
        }
}

TEST(Blur, IsSymmetricAndStaysInRange)
{
    for (double radius : {2.0, 10.0, 60.0}) {
        QImage image = square(41, 15);
        blurBitmap(image, image.rect(), radius, radius);
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x) {
                EXPECT_NEAR(at(image, x, y), at(image, 40 - x, y), 1);
                EXPECT_NEAR(at(image, x, y), at(image, x, 40 - y), 1);
                EXPECT_NEAR(at(image, x, y), at(image, y, x), 1);
            }
        EXPECT_GT(at(image, 20, 20), at(image, 20, 2));
    }
}

TEST(Blur, SoftEdgeIsAboutTheRadiusWide)
{
    // A step from 0 to 255 along a row: the blur reaches 1/255 of the peak at about radius + 1.
    const int radius = 10;
    QImage image = greyImage(101, 1, 0);
    for (int x = 50; x < 101; ++x)
        image.scanLine(0)[x] = 255;
    blurBitmap(image, image.rect(), 0, radius);
    EXPECT_EQ(at(image, 0, 0), 0);
    EXPECT_EQ(at(image, 100, 0), 255);
    EXPECT_NEAR(at(image, 49, 0) + at(image, 50, 0), 255, 20);  // the half-way point at the step
    // Well outside the edge nothing has arrived; inside it the ramp is monotone.
    EXPECT_LE(at(image, 50 - 2 * radius, 0), 1);
    EXPECT_GE(at(image, 49 + 2 * radius, 0), 254);
    for (int x = 1; x < 101; ++x)
        EXPECT_LE(at(image, x - 1, 0), at(image, x, 0));
    EXPECT_GT(at(image, 50 - radius / 2, 0), 5);
}

TEST(Blur, RadiiBelowOneDoNothingAndOnlyThePassOfARadiusRuns)
{
    for (double radius : {0.0, 0.5, 0.9, -3.0}) {
        QImage image = square(21, 8);
        const QImage before = image;
        blurBitmap(image, image.rect(), radius, radius);
        EXPECT_EQ(image, before) << radius;
    }
    QImage once = square(21, 8);
    blurBitmap(once, once.rect(), 1, 1);
    EXPECT_NE(once, square(21, 8));

    // Vertical radius 3, horizontal 0: a horizontal bar smears up and down, not sideways.
    QImage bar = greyImage(21, 21, 0);
    for (int x = 5; x < 16; ++x)
        bar.scanLine(10)[x] = 255;
    blurBitmap(bar, bar.rect(), 3, 0);
    EXPECT_GT(at(bar, 10, 8), 0);
    EXPECT_EQ(at(bar, 3, 10), 0);
    EXPECT_EQ(at(bar, 17, 10), 0);
}

TEST(Blur, RadiiAroundFiftyBothBlurAndAgree)
{
    QImage fixed = square(201, 70);
    QImage floating = square(201, 70);
    blurBitmap(fixed, fixed.rect(), 50, 50);
    blurBitmap(floating, floating.rect(), 50.5, 50.5);
    EXPECT_NE(fixed, square(201, 70));
    EXPECT_NE(floating, square(201, 70));
    // σ differs by 1 %, so the two stay within a few levels of each other.
    for (int x = 0; x < 201; x += 10)
        EXPECT_NEAR(at(fixed, x, 100), at(floating, x, 100), 4) << x;
}

TEST(Blur, WorksOnTheClippedAreaOfEveryByteFormat)
{
    QImage rgb = createWorkBitmap(30, 30);
    rgb.fill(QColor(0, 0, 0));
    for (int y = 10; y < 20; ++y)
        for (int x = 10; x < 20; ++x)
            rgb.setPixel(x, y, qRgb(255, 128, 0));
    QImage blurred = rgb;
    blurBitmap(blurred, QRect(-5, -5, 25, 100), 4, 4);  // clipped to (0, 0)–(20, 30)
    EXPECT_EQ(blurred.pixel(25, 15), rgb.pixel(25, 15));  // outside the area
    EXPECT_NE(blurred.pixel(10, 15), rgb.pixel(10, 15));
    EXPECT_EQ(qBlue(blurred.pixel(10, 15)), 0);             // channels stay apart
    EXPECT_LT(qGreen(blurred.pixel(10, 15)), qRed(blurred.pixel(10, 15)));

    QImage argb(8, 8, QImage::Format_ARGB32);
    argb.fill(qRgba(10, 20, 30, 40));
    blurBitmap(argb, argb.rect(), 2, 2);
    EXPECT_EQ(argb.pixel(3, 3), qRgba(10, 20, 30, 40));

    QImage sixteen(8, 8, QImage::Format_RGB16);
    sixteen.fill(Qt::red);
    sixteen.setPixel(4, 4, qRgb(0, 0, 255));
    const QImage before = sixteen;
    blurBitmap(sixteen, sixteen.rect(), 3, 3);
    EXPECT_EQ(sixteen, before);
}

TEST(Blur, SigmaForTheRadius)
{
    EXPECT_NEAR(blurSigma(1), 0.60, 0.005);
    EXPECT_NEAR(blurSigma(10), 3.30, 0.005);
}
