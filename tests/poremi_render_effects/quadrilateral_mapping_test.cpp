// Mapping a picture onto quadrilaterals: exact turns and mirrors, coverage at pixel centres,
// every pixel format, and random and hostile corners that must never read outside the source.

#include "render/effects/quadrilateral_mapping.h"
#include "tests/poremi_render_effects/effect_images.h"

#include <gtest/gtest.h>

#include <QtCore/QRandomGenerator>

#include <chrono>
#include <climits>

using namespace poremi;
using namespace poremi::test;

namespace {

const QColor background(240, 240, 240);

}  // namespace

TEST(QuadrilateralMapping, TheUnturnedRectangleCopiesThePicture)
{
    const QImage source = patternImage(7, 5);
    const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(10, 20), QPoint(17, 20), QPoint(17, 25), QPoint(10, 25)}, background);
    EXPECT_EQ(mapped.origin, QPoint(10, 20));
    ASSERT_EQ(mapped.image.format(), source.format());
    EXPECT_EQ(pixelBytes(mapped.image), pixelBytes(source));
}

TEST(QuadrilateralMapping, AMirroredQuadrilateralTransposesThePicture)
{
    const QImage source = patternImage(6, 4);
    // Top-right corner of the source goes to the bottom-left: the picture is mirrored at its diagonal.
    const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(0, 0), QPoint(0, 6), QPoint(4, 6), QPoint(4, 0)}, background);
    ASSERT_EQ(mapped.image.size(), QSize(4, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(bgrAt(mapped.image, x, y), bgrAt(source, y, x)) << x << "," << y;
}

TEST(QuadrilateralMapping, ANinetyDegreeTurnEqualsTheHandTurnedPicture)
{
    for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
        const QImage source = patternImage(5, 3, format);
        // Turned clockwise: the top-left corner goes to the top right of a 3 × 5 box.
        const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(3, 0), QPoint(3, 5), QPoint(0, 5), QPoint(0, 0)}, background);
        ASSERT_EQ(mapped.image.size(), QSize(3, 5));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 3; ++x)
                ASSERT_EQ(bgrAt(mapped.image, x, y), bgrAt(source, y, 2 - x)) << x << "," << y;
    }
}

TEST(QuadrilateralMapping, OnlyPixelsWithCentresInsideAreMapped)
{
    // A diamond in a 4 × 4 box: row 0 (centre 0.5) spans x 1.5 .. 2.5, so only pixel 1 (centre 1.5)
    // and not pixel 2 (centre 2.5, the right end is open).
    const QImage source = uniformImage(8, 8, {0, 0, 0});
    const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(2, 0), QPoint(4, 2), QPoint(2, 4), QPoint(0, 2)}, background);
    ASSERT_EQ(mapped.image.size(), QSize(4, 4));
    const Bgr black{0, 0, 0}, grey{240, 240, 240};
    const char* expected[] = {".#..", "###.", "###.", ".#.."};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(bgrAt(mapped.image, x, y), expected[y][x] == '#' ? black : grey) << x << "," << y;
}

TEST(QuadrilateralMapping, EveryPixelSizeIsCopiedWhole)
{
    const QImage colour = patternImage(4, 4);
    for (QImage::Format format : {QImage::Format_Grayscale8, QImage::Format_Indexed8, QImage::Format_RGB16,
                                  QImage::Format_BGR888, QImage::Format_RGB32, QImage::Format_ARGB32}) {
        const QImage source = colour.convertToFormat(format);
        const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(4, 0), QPoint(4, 4), QPoint(0, 4), QPoint(0, 0)}, Qt::white);
        ASSERT_EQ(mapped.image.format(), format);
        const int bytes = source.depth() / 8;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(QByteArray(reinterpret_cast<const char*>(mapped.image.constScanLine(y)) + x * bytes, bytes),
                          QByteArray(reinterpret_cast<const char*>(source.constScanLine(3 - x)) + y * bytes, bytes))
                    << format << " " << x << "," << y;
        EXPECT_EQ(mapped.image.colorTable(), source.colorTable());
    }
}

TEST(QuadrilateralMapping, TenThousandRandomQuadrilateralsStayInsideTheSource)
{
    QRandomGenerator random(12);
    const QImage sources[] = {patternImage(1, 1), patternImage(3, 17), patternImage(23, 2),
                              patternImage(9, 9, QImage::Format_RGB32)};
    int painted = 0;
    for (int i = 0; i < 10000; ++i) {
        const QImage& source = sources[i % 4];
        Quadrilateral corners;
        const int spread = i % 10 == 0 ? 3 : 40;  // many degenerate ones: points, lines, slivers
        for (QPoint& p : corners)
            p = QPoint(random.bounded(-spread, spread + 1), random.bounded(-spread, spread + 1));
        if (i % 7 == 0)
            corners[2] = corners[1];
        const MappedBitmap mapped = mapOntoQuadrilateral(source, corners, background);
        if (mapped.image.isNull())
            continue;
        ++painted;
        ASSERT_EQ(mapped.image.format(), source.format());
    }
    EXPECT_GT(painted, 5000);
}

TEST(QuadrilateralMapping, HostileCornersGiveNothingAndReturnAtOnce)
{
    const QImage source = patternImage(5, 5);
    const Quadrilateral cases[] = {
        {QPoint(INT_MIN, INT_MIN), QPoint(INT_MAX, INT_MIN), QPoint(INT_MAX, INT_MAX), QPoint(INT_MIN, INT_MAX)},
        {QPoint(0, 0), QPoint(100000, 0), QPoint(100000, 1), QPoint(0, 1)},
        {QPoint(3, 3), QPoint(3, 3), QPoint(3, 3), QPoint(3, 3)},
        {QPoint(0, 0), QPoint(0, 9), QPoint(0, 4), QPoint(0, 2)},
    };
    const auto start = std::chrono::steady_clock::now();
    for (const Quadrilateral& corners : cases)
        EXPECT_TRUE(mapOntoQuadrilateral(source, corners, background).image.isNull());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_TRUE(mapOntoQuadrilateral(QImage(), {QPoint(0, 0), QPoint(4, 0), QPoint(4, 4), QPoint(0, 4)}, background).image.isNull());
    EXPECT_TRUE(mapOntoQuadrilateral(source.convertToFormat(QImage::Format_Mono),
                                     {QPoint(0, 0), QPoint(4, 0), QPoint(4, 4), QPoint(0, 4)}, background)
                    .image.isNull());
}

TEST(QuadrilateralMapping, RowsStepThroughTheSourceIn16Dot16FixedPoint)
{
    // A 2 × 3 picture stretched to 20,000 × 1: the step of 1/10,000 pixel becomes 7/65,536 and
    // the first pixel's position 3/65,536, so column 1 begins at x = 9362 (3 + 7x ≥ 65,536)
    // where exact positions would begin it at x = 10,000.
    const QImage source = patternImage(2, 3);
    const MappedBitmap mapped = mapOntoQuadrilateral(source, {QPoint(0, 0), QPoint(20000, 0), QPoint(20000, 1), QPoint(0, 1)}, background);
    ASSERT_EQ(mapped.image.size(), QSize(20000, 1));
    EXPECT_EQ(bgrAt(mapped.image, 0, 0), bgrAt(source, 0, 1));
    EXPECT_EQ(bgrAt(mapped.image, 9361, 0), bgrAt(source, 0, 1));
    EXPECT_EQ(bgrAt(mapped.image, 9362, 0), bgrAt(source, 1, 1));
    EXPECT_EQ(bgrAt(mapped.image, 19999, 0), bgrAt(source, 1, 1));
}
