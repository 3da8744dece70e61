// The box blur and the unsharp mask: exact values at the edges, uniform pictures unchanged,
// repeated passes, and bounded pass counts.

#include "render/effects/box_blur.h"
#include "tests/poremi_render_effects/effect_images.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

using namespace poremi;
using namespace poremi::test;

namespace {

QImage blurred(const QImage& source, int passes, TRect rect = {})
{
    TGREffectBlur blur;
    blur.setPassCount(passes);
    blur.setSource(source);
    blur.setSourceRect(rect.isEmpty() ? TRect{0, 0, source.width(), source.height()} : rect);
    QImage result;
    blur.execute(result);
    return result;
}

QImage sharpened(const QImage& source, double strength)
{
    TGREffectUnsharpMask sharpen;
    sharpen.setStrength(strength);
    sharpen.setSource(source);
    sharpen.setSourceRect(TRect{0, 0, source.width(), source.height()});
    QImage result;
    sharpen.execute(result);
    return result;
}

QImage whiteDot(int size, QImage::Format format = QImage::Format_BGR888)
{
    QImage image = uniformImage(size, size, {0, 0, 0}, format);
    setBgr(image, size / 2, size / 2, {255, 255, 255});
    return image;
}

}  // namespace

TEST(BoxBlur, AWhiteCentreOfThreeByThreeAveragesTo28)
{
    const QImage result = blurred(whiteDot(3), 1);
    EXPECT_EQ(bgrAt(result, 1, 1), (Bgr{28, 28, 28}));
    // The repeated edge rows and columns bring the dot into every box of the 3 × 3 picture.
    EXPECT_EQ(bgrAt(result, 0, 0), (Bgr{28, 28, 28}));
}

TEST(BoxBlur, OnePassSpreadsADotOverItsNeighboursOnly)
{
    for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
        const QImage result = blurred(whiteDot(5, format), 1);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x) {
                const int expected = (std::abs(x - 2) <= 1 && std::abs(y - 2) <= 1) ? 28 : 0;
                ASSERT_EQ(bgrAt(result, x, y), (Bgr{expected, expected, expected})) << x << "," << y;
            }
    }
}

TEST(BoxBlur, EdgePixelsCountTwiceAndChannelsStaySeparate)
{
    // A row of two pixels: each box holds 3 copies of (2 × own + other) per channel.
    QImage source(2, 1, QImage::Format_BGR888);
    setBgr(source, 0, 0, {90, 0, 255});
    setBgr(source, 1, 0, {0, 9, 255});
    const QImage result = blurred(source, 1);
    // (3 × (2 × 90 + 0)) / 9 = 60, (3 × 90) / 9 = 30; green 3 and 6; red stays 255.
    EXPECT_EQ(bgrAt(result, 0, 0), (Bgr{60, 3, 255}));
    EXPECT_EQ(bgrAt(result, 1, 0), (Bgr{30, 6, 255}));
}

TEST(BoxBlur, OnePixelAndUniformPicturesStayTheSameForAnyPassCount)
{
    for (int passes : {-5, 0, 1, 2, 3, 7, 10}) {
        const QImage single = uniformImage(1, 1, {17, 200, 3});
        EXPECT_EQ(pixelBytes(blurred(single, passes)), pixelBytes(single)) << passes;
        for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
            const QImage flat = uniformImage(13, 6, {0, 128, 255}, format);
            EXPECT_EQ(pixelBytes(blurred(flat, passes)), pixelBytes(flat)) << passes;
        }
    }
}

TEST(BoxBlur, OddAndEvenPassCountsEndInTheDestination)
{
    const QImage source = patternImage(11, 8);
    QImage chained = source;
    for (int passes = 1; passes <= 6; ++passes) {
        chained = blurred(chained, 1);
        const QImage result = blurred(source, passes);
        ASSERT_EQ(result.size(), source.size());
        EXPECT_EQ(pixelBytes(result), pixelBytes(chained)) << passes;
    }
}

TEST(BoxBlur, ASourceRectangleIsBlurredAsAPictureOfItsOwn)
{
    const QImage source = patternImage(12, 9);
    const TRect rect{3, 2, 10, 7};
    const QImage part = source.copy(rect.toQRect());
    EXPECT_EQ(pixelBytes(blurred(source, 3, rect)), pixelBytes(blurred(part, 3)));
}

TEST(BoxBlur, PassCountsBeyondTheEditorsRangeAreBounded)
{
    const QImage source = patternImage(40, 30);
    const auto start = std::chrono::steady_clock::now();
    const QImage huge = blurred(source, std::numeric_limits<int>::max());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(pixelBytes(huge), pixelBytes(blurred(source, maxBlurPasses)));
    EXPECT_EQ(pixelBytes(blurred(source, std::numeric_limits<int>::min())), pixelBytes(blurred(source, 1)));
}

TEST(UnsharpMask, UniformPicturesStayTheSame)
{
    const QImage flat = uniformImage(9, 4, {40, 90, 250});
    for (double strength : {1.0, 3.0, 6.0})
        EXPECT_EQ(pixelBytes(sharpened(flat, strength)), pixelBytes(flat)) << strength;
}

TEST(UnsharpMask, AnEdgeGetsDarkerOnTheDarkSideAndLighterOnTheLightSide)
{
    QImage edge = uniformImage(6, 3, {60, 60, 60});
    for (int y = 0; y < 3; ++y)
        for (int x = 3; x < 6; ++x)
            setBgr(edge, x, y, {200, 200, 200});
    const QImage result = sharpened(edge, 1);
    // Beside the edge the box holds one column of the other side: 2 × 60 − (2 × 60 + 200) / 3
    // = 13 (blurred 106.67 rounds to 107) and 2 × 200 − (2 × 200 + 60) / 3 = 247.
    EXPECT_EQ(bgrAt(result, 2, 1), (Bgr{13, 13, 13}));
    EXPECT_EQ(bgrAt(result, 3, 1), (Bgr{247, 247, 247}));
    EXPECT_EQ(bgrAt(result, 0, 1), (Bgr{60, 60, 60}));
    EXPECT_EQ(bgrAt(result, 5, 1), (Bgr{200, 200, 200}));

    QImage hard = uniformImage(4, 1, {0, 0, 0});
    setBgr(hard, 2, 0, {255, 255, 255});
    setBgr(hard, 3, 0, {255, 255, 255});
    const QImage clamped = sharpened(hard, 1);
    EXPECT_EQ(bgrAt(clamped, 1, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(bgrAt(clamped, 2, 0), (Bgr{255, 255, 255}));
}

TEST(UnsharpMask, StrengthPicksTheRoundedNumberOfBlurPasses)
{
    const QImage source = patternImage(15, 10);
    // 2 × source − blur(n) per channel, clamped: the strengths 2.5 and 1.5 both round to 2.
    EXPECT_EQ(pixelBytes(sharpened(source, 2.5)), pixelBytes(sharpened(source, 2)));
    EXPECT_EQ(pixelBytes(sharpened(source, 1.5)), pixelBytes(sharpened(source, 2)));
    EXPECT_NE(pixelBytes(sharpened(source, 6)), pixelBytes(sharpened(source, 2)));
    const QImage blur6 = blurred(source, 6);
    const QImage sharp6 = sharpened(source, 6);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(bgrAt(sharp6, x, y)[c], std::clamp(2 * bgrAt(source, x, y)[c] - bgrAt(blur6, x, y)[c], 0, 255));
}

TEST(UnsharpMask, HostileStrengthsAreBounded)
{
    const QImage source = patternImage(20, 10);
    const QByteArray most = pixelBytes(sharpened(source, maxBlurPasses));
    EXPECT_EQ(pixelBytes(sharpened(source, 1e300)), most);
    EXPECT_EQ(pixelBytes(sharpened(source, std::numeric_limits<double>::infinity())), most);
    EXPECT_EQ(pixelBytes(sharpened(source, std::numeric_limits<double>::quiet_NaN())),
              pixelBytes(sharpened(source, 0)));
}
