// The two mask blenders: exact mixes, the ratio, and every way a rectangle can be refused.

#include "render/effects/blenders.h"
#include "render/raster/pixel_layout.h"
#include "tests/poremi_render_effects/effect_images.h"

#include <gtest/gtest.h>

#include <climits>

using namespace poremi;
using namespace poremi::test;

namespace {

QImage greyMask(int w, int h, int value)
{
    QImage mask = createGreyBitmap(w, h);
    mask.fill(uint(value));
    return mask;
}

TRect whole(const QImage& image) { return {0, 0, image.width(), image.height()}; }

}  // namespace

TEST(Blenders, WhiteOverBlackThroughHalfAMaskGives128AndAtRatio50Gives64)
{
    for (QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
        const QImage white = uniformImage(4, 3, {255, 255, 255}, format);
        const QImage mask = greyMask(4, 3, 128);

        QImage destination = uniformImage(4, 3, {0, 0, 0}, format);
        TGRBlendAlphaMap blender;
        blender.setSource(white, whole(white));
        blender.setMask(mask, whole(mask));
        blender.setDestinationRect(whole(destination));
        blender.execute(destination);
        EXPECT_EQ(bgrAt(destination, 3, 2), (Bgr{128, 128, 128}));

        QImage halved = uniformImage(4, 3, {0, 0, 0}, format);
        TGRBlendAlphaMapRatio ratio;
        ratio.setRatio(50);
        ratio.setSource(white, whole(white));
        ratio.setMask(mask, whole(mask));
        ratio.setDestinationRect(whole(halved));
        ratio.execute(halved);
        EXPECT_EQ(bgrAt(halved, 0, 0), (Bgr{64, 64, 64}));
        if (format == QImage::Format_RGB32) {
            EXPECT_EQ(halved.constScanLine(0)[3], 0xFF);
        }
    }
}

TEST(Blenders, MixesTruncateTowardZeroInBothDirections)
{
    // d + (α × (s − d)) / 255: 200 + (100 × −150) / 255 = 200 − 58 = 142; 50 + (100 × 150) / 255 = 108.
    QImage source(2, 1, QImage::Format_BGR888);
    setBgr(source, 0, 0, {50, 0, 255});
    setBgr(source, 1, 0, {200, 255, 0});
    QImage destination(2, 1, QImage::Format_BGR888);
    setBgr(destination, 0, 0, {200, 255, 0});
    setBgr(destination, 1, 0, {50, 0, 255});
    TGRBlendAlphaMap blender;
    blender.setSource(source, whole(source));
    blender.setMask(greyMask(2, 1, 100), {0, 0, 2, 1});
    blender.setDestinationRect(whole(destination));
    blender.execute(destination);
    EXPECT_EQ(bgrAt(destination, 0, 0), (Bgr{142, 155, 100}));
    EXPECT_EQ(bgrAt(destination, 1, 0), (Bgr{108, 100, 155}));
}

TEST(Blenders, RatioScalesTheMaskWithMulDivAndIsClamped)
{
    struct Case {
        int ratio;
        int mask;
        int expected;  // white into black
    };
    const Case cases[] = {{100, 255, 255}, {0, 255, 0}, {50, 255, 128}, {150, 200, 200}, {-20, 255, 0}, {INT_MAX, 77, 77}};
    for (const Case& c : cases) {
        const QImage white = uniformImage(1, 1, {255, 255, 255});
        QImage destination = uniformImage(1, 1, {0, 0, 0});
        TGRBlendAlphaMapRatio blender;
        blender.setRatio(c.ratio);
        blender.setSource(white, whole(white));
        blender.setMask(greyMask(1, 1, c.mask), {0, 0, 1, 1});
        blender.setDestinationRect({0, 0, 1, 1});
        blender.execute(destination);
        EXPECT_EQ(bgrAt(destination, 0, 0)[0], c.expected) << c.ratio << " " << c.mask;
    }
}

TEST(Blenders, APartlyVisibleDestinationRectangleBlendsTheCorrespondingPixels)
{
    const QImage source = patternImage(4, 4);
    QImage destination = uniformImage(6, 5, {0, 0, 0});
    TGRBlendAlphaMap blender;
    blender.setSource(source, whole(source));
    blender.setMask(greyMask(4, 4, 255), {0, 0, 4, 4});
    blender.setDestinationRect({3, -2, 7, 2});  // two rows above, one column right of the bitmap
    blender.execute(destination);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inside = x >= 3 && y < 2;
            EXPECT_EQ(bgrAt(destination, x, y), inside ? bgrAt(source, x - 3, y + 2) : (Bgr{0, 0, 0})) << x << "," << y;
        }
}

TEST(Blenders, RefusedFormatsAndRectanglesLeaveTheDestinationByteIdentical)
{
    struct Case {
        const char* what;
        QImage source;
        TRect sourceRect;
        QImage mask;
        TRect maskRect;
        TRect destinationRect;
        QImage::Format destinationFormat;
    };
    const QImage source = uniformImage(4, 4, {255, 255, 255});
    const QImage mask = greyMask(4, 4, 255);
    const TRect r{0, 0, 4, 4};
    const Case cases[] = {
        {"mask rectangle outside the mask", source, r, mask, {1, 0, 5, 4}, r, QImage::Format_BGR888},
        {"mask rectangle left of the mask", source, r, mask, {-1, 0, 3, 4}, r, QImage::Format_BGR888},
        {"source smaller than the destination rectangle", uniformImage(3, 3, {255, 255, 255}), {0, 0, 3, 3}, mask, r,
         r, QImage::Format_BGR888},
        {"source rectangle of another size", source, {0, 0, 4, 3}, mask, r, r, QImage::Format_BGR888},
        {"destination rectangle off the bitmap", source, r, mask, r, {10, 10, 14, 14}, QImage::Format_BGR888},
        {"destination rectangle far off", source, r, mask, r, {INT_MIN, INT_MIN, INT_MIN + 4, INT_MIN + 4},
         QImage::Format_BGR888},
        {"source rectangle far off", source, {INT_MAX - 4, 0, INT_MAX, 4}, mask, r, r, QImage::Format_BGR888},
        {"whole 32-bit range", source, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, mask, r,
         {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, QImage::Format_BGR888},
        {"empty rectangles", source, {}, mask, {}, {}, QImage::Format_BGR888},
        {"formats differ", source, r, mask, r, r, QImage::Format_RGB32},
        {"mask not 8-bit", source, r, mask.convertToFormat(QImage::Format_RGB32), r, r, QImage::Format_BGR888},
        {"no mask", source, r, QImage(), r, r, QImage::Format_BGR888},
        {"RGB byte order", source.convertToFormat(QImage::Format_RGB888), r, mask, r, r, QImage::Format_RGB888},
    };
    for (const Case& c : cases) {
        QImage destination = patternImage(6, 6, c.destinationFormat);
        const QByteArray before = pixelBytes(destination);
        TGRBlendAlphaMap blender;
        blender.setSource(c.source, c.sourceRect);
        blender.setMask(c.mask, c.maskRect);
        blender.setDestinationRect(c.destinationRect);
        blender.execute(destination);
        EXPECT_EQ(pixelBytes(destination), before) << c.what;
    }
}
