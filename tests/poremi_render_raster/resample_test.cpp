// Resampling: sample positions, weights, edge replication and rounding on tiny images.

#include "render/raster/pixel_layout.h"
#include "render/raster/resample.h"

#include <gtest/gtest.h>

#include <vector>

using namespace poremi;

namespace {

QImage greyRow(const std::vector<int>& values)
{
    QImage image = createGreyBitmap(int(values.size()), 1);
    for (size_t i = 0; i < values.size(); ++i)
        image.scanLine(0)[i] = uchar(values[i]);
    return image;
}

QImage greyColumn(const std::vector<int>& values)
{
    QImage image = createGreyBitmap(1, int(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        image.scanLine(int(i))[0] = uchar(values[i]);
    return image;
}

std::vector<int> rowOf(const QImage& image, int y = 0)
{
    std::vector<int> v;
    for (int x = 0; x < image.width(); ++x)
        v.push_back(image.constScanLine(y)[x]);
    return v;
}

std::vector<int> columnOf(const QImage& image)
{
    std::vector<int> v;
    for (int y = 0; y < image.height(); ++y)
        v.push_back(image.constScanLine(y)[0]);
    return v;
}

std::vector<int> resampledRow(const std::vector<int>& values, int width, ResampleMode mode)
{
    QImage destination = createGreyBitmap(width, 1);
    resampleBitmap(destination, greyRow(values), mode);
    return rowOf(destination);
}

std::vector<int> resampledColumn(const std::vector<int>& values, int height, ResampleMode mode)
{
    QImage destination = createGreyBitmap(1, height);
    resampleBitmap(destination, greyColumn(values), mode);
    return columnOf(destination);
}

}  // namespace

TEST(Resample, LinearEnlargementSamplesFromMinusHalf)
{
    // Positions −½, 0, ½, 1: the left edge is replicated, ½ rounds to 128.
    EXPECT_EQ(resampledRow({0, 255}, 4, ResampleMode::Linear), (std::vector<int>{0, 0, 128, 255}));
    EXPECT_EQ(resampledColumn({0, 255}, 4, ResampleMode::Linear), (std::vector<int>{0, 0, 128, 255}));
}

TEST(Resample, ReductionTruncatesTheMeanInEveryInterpolatingMode)
{
    for (ResampleMode mode : {ResampleMode::Linear, ResampleMode::Cubic}) {
        EXPECT_EQ(resampledRow({0, 100, 200, 255}, 2, mode), (std::vector<int>{50, 227}));
        EXPECT_EQ(resampledColumn({0, 100, 200, 255}, 2, mode), (std::vector<int>{50, 227}));
    }
}

TEST(Resample, AreaAveragingWeighsPartlyCoveredPixels)
{
    // 3 → 2: [0, 1.5) and [1.5, 3): (0 + 0.5·90)/1.5 = 30 and (0.5·90 + 180)/1.5 = 150.
    EXPECT_EQ(resampledRow({0, 90, 180}, 2, ResampleMode::Linear), (std::vector<int>{30, 150}));
    EXPECT_EQ(resampledColumn({0, 90, 180}, 2, ResampleMode::Linear), (std::vector<int>{30, 150}));
    // A flat area stays flat under any reduction.
    EXPECT_EQ(resampledRow({100, 100, 100}, 1, ResampleMode::Linear), (std::vector<int>{100}));
    EXPECT_EQ(resampledColumn(std::vector<int>(7, 77), 3, ResampleMode::Cubic), (std::vector<int>{77, 77, 77}));
}

TEST(Resample, NearestTakesThePixelUnderTheCentre)
{
    EXPECT_EQ(resampledRow({0, 100, 200, 255}, 2, ResampleMode::Nearest), (std::vector<int>{100, 255}));
    EXPECT_EQ(resampledRow({0, 100, 200, 255}, 8, ResampleMode::Nearest),
              (std::vector<int>{0, 0, 100, 100, 200, 200, 255, 255}));
    EXPECT_EQ(resampledColumn({0, 100, 200, 255}, 2, ResampleMode::Nearest), (std::vector<int>{100, 255}));
}

TEST(Resample, CubicEnlargementFollowsCatmullRomAndClamps)
{
    // Step ½ on 0, 0, 255, 255: position 1.5 between the middle pixels gives exactly the mean.
    const std::vector<int> out = resampledRow({0, 0, 255, 255}, 8, ResampleMode::Cubic);
    EXPECT_EQ(out[4], 128);  // x = 1.5: p0 + ½·½·(255 + ½·(4·255 − 255 + ½·(−3·255 + 255))) = 127.5
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[7], 255);
    // Overshoot next to a step is clamped into 0…255.
    for (int v : resampledRow({0, 255, 0, 255, 0}, 17, ResampleMode::Cubic)) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 255);
    }
    const std::vector<int> vertical = resampledColumn({0, 0, 255, 255}, 8, ResampleMode::Cubic);
    EXPECT_EQ(vertical[4], 128);
}

TEST(Resample, ChannelsAreIndependentAndEqualAxesCopy)
{
    QImage source = createWorkBitmap(2, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 2; ++x)
            source.setPixel(x, y, qRgb(x * 200, y * 100, 50));
    QImage destination = createWorkBitmap(2, 6);
    resampleBitmap(destination, source, ResampleMode::Linear);
    ASSERT_EQ(destination.format(), QImage::Format_BGR888);
    for (int y = 0; y < 6; ++y) {
        EXPECT_EQ(qRed(destination.pixel(0, y)), 0);
        EXPECT_EQ(qRed(destination.pixel(1, y)), 200);
        EXPECT_EQ(qBlue(destination.pixel(1, y)), 50);
    }
    EXPECT_EQ(qGreen(destination.pixel(0, 2)), 50);  // position 0.5
}

TEST(Resample, RectangleReachingOutsideOrOtherFormatsLeaveTheDestination)
{
    const QImage source = greyRow({1, 2, 3, 4});
    QImage destination = createGreyBitmap(2, 1);
    destination.fill(9);
    resampleRect(destination, source, QRect(1, 0, 4, 1), ResampleMode::Linear);
    EXPECT_EQ(rowOf(destination), (std::vector<int>{9, 9}));

    QImage sixteen(4, 4, QImage::Format_RGB16);
    sixteen.fill(Qt::red);
    QImage target(2, 2, QImage::Format_RGB16);
    target.fill(Qt::blue);
    resampleBitmap(target, sixteen, ResampleMode::Cubic);
    EXPECT_EQ(target.pixelColor(0, 0), QColor(Qt::blue));
}

TEST(Resample, DestinationTakesTheSourceFormat)
{
    QImage source(4, 4, QImage::Format_RGB32);
    source.fill(qRgb(1, 2, 3));
    QImage destination = createGreyBitmap(2, 2);
    resampleBitmap(destination, source, ResampleMode::Cubic);
    EXPECT_EQ(destination.format(), QImage::Format_RGB32);
    EXPECT_EQ(destination.pixel(1, 1), qRgb(1, 2, 3));
}

TEST(Resample, AWindowEqualsThatPartOfTheFullResult)
{
    QImage source = createWorkBitmap(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            source.setPixel(x, y, qRgb(x * 50, y * 60, (x * y * 37) % 256));
    for (ResampleMode mode : {ResampleMode::Nearest, ResampleMode::Linear, ResampleMode::Cubic})
        for (QSize size : {QSize(13, 11), QSize(3, 2), QSize(13, 3)}) {
            QImage full = createWorkBitmap(size.width(), size.height());
            resampleBitmap(full, source, mode);
            const QRect window(1, 1, size.width() - 2, size.height() - 1);
            QImage part;
            resampleWindow(part, source, source.rect(), size, window, mode);
            EXPECT_EQ(part, full.copy(window));
        }
}
