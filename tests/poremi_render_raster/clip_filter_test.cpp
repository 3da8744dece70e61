// The clip filter's cut: frames of the fill colour, plain copies only for the whole picture,
// and stored rectangles of any size that must neither overflow nor allocate without bound.

#include "render/raster/image_filters.h"

#include <gtest/gtest.h>

#include <climits>

using namespace poremi;

namespace {

QImage picture(int w, int h)
{
    QImage image(w, h, QImage::Format_BGR888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x * 20, y * 30, 7));
    return image;
}

QImage cutBy(const TRect& rect, const QImage& source, bool transparentMode = false)
{
    TClipFilter filter;
    filter.setClipRect(rect);
    return filter.cut(source, 0x00FF00, transparentMode);  // fill green
}

}  // namespace

TEST(ClipFilter, ARectangleBeyondThePictureAddsAFrameOfTheFillColour)
{
    const QImage source = picture(6, 4);
    const QImage framed = cutBy(TRect{-10, -10, 16, 14}, source);
    ASSERT_EQ(framed.size(), QSize(26, 24));
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 26; ++x) {
            const bool inside = x >= 10 && x < 16 && y >= 10 && y < 14;
            ASSERT_EQ(framed.pixel(x, y), inside ? source.pixel(x - 10, y - 10) : qRgb(0, 255, 0)) << x << "," << y;
        }
}

TEST(ClipFilter, OnlyTheWholePictureWithoutTransparencyIsAPlainCopy)
{
    const QImage source = picture(6, 4);
    EXPECT_EQ(cutBy(TRect{0, 0, 6, 4}, source).cacheKey(), source.cacheKey());
    const QImage redrawn = cutBy(TRect{}, source, true);
    EXPECT_NE(redrawn.cacheKey(), source.cacheKey());
    EXPECT_EQ(redrawn.convertToFormat(source.format()), source);
}

TEST(ClipFilter, StoredRectanglesOfAnySizeNeitherOverflowNorAllocateWithoutBound)
{
    const QImage source = picture(6, 4);
    EXPECT_TRUE(cutBy(TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, source).isNull());
    EXPECT_TRUE(cutBy(TRect{-30000, 0, 30000, 4}, source).isNull());
    // Far away but small: a bitmap of the fill colour alone.
    const QImage far = cutBy(TRect{INT_MAX - 5, INT_MIN, INT_MAX, INT_MIN + 3}, source);
    ASSERT_EQ(far.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(far.pixel(x, y), qRgb(0, 255, 0));
}

TEST(EffectFilters, AreNeutralUntilTheImageEffectsAreInstalled)
{
    // This library alone has no pixel effects: a blur filter keeps the picture.
    TBlurFilter blur;
    blur.setBlurCount(3);
    const QImage source = picture(5, 5);
    EXPECT_EQ(blur.apply(source).cacheKey(), source.cacheKey());
}
