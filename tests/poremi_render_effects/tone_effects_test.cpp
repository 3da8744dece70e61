// The tone effectors at the edge values the picture editor offers, and what every effector
// does with a wrong format or rectangle.

#include "render/effects/tone_effects.h"
#include "tests/poremi_render_effects/effect_images.h"

#include <gtest/gtest.h>

#include <climits>

using namespace poremi;
using namespace poremi::test;

namespace {

constexpr TColor white = 0xFFFFFF;
constexpr TColor sepia = 0x6680A0;  // red 160, green 128, blue 102

// One row holding the grey levels 0..255.
QImage greyRamp(QImage::Format format = QImage::Format_BGR888)
{
    QImage image(256, 1, format);
    for (int i = 0; i < 256; ++i)
        setBgr(image, i, 0, {i, i, i});
    return image;
}

QImage run(TGREffector& effector, const QImage& source)
{
    effector.setSource(source);
    effector.setSourceRect(TRect{0, 0, source.width(), source.height()});
    QImage result;
    effector.execute(result);
    return result;
}

QImage light(int brightness, int contrast, const QImage& source)
{
    TGREffectBrightnessContrast effector;
    effector.setBrightness(brightness);
    effector.setContrast(contrast);
    return run(effector, source);
}

QImage tone(TColor color, const QImage& source)
{
    TGREffectMonoTone effector;
    effector.setRefColor(color);
    return run(effector, source);
}

}  // namespace

TEST(MonoTone, WhiteTurnsEveryPixelGreyOfItsLuminance)
{
    const QImage source = patternImage(17, 9);
    const QImage result = tone(white, source);
    ASSERT_EQ(result.size(), source.size());
    ASSERT_EQ(result.format(), source.format());
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const Bgr s = bgrAt(source, x, y);
            const int luminance = (29 * s[0] + 150 * s[1] + 77 * s[2]) >> 8;
            const Bgr r = bgrAt(result, x, y);
            ASSERT_EQ(r[0], r[1]);
            ASSERT_EQ(r[1], r[2]);
            // Trunc(Y / 255 × 255) is Y itself in extended precision.
            ASSERT_EQ(r[0], luminance) << x << "," << y;
        }
}

TEST(MonoTone, SepiaKeepsBlackAndWhiteAndTintsTheGreys)
{
    QImage source = uniformImage(3, 1, {0, 0, 0});
    setBgr(source, 1, 0, {255, 255, 255});
    setBgr(source, 2, 0, {128, 128, 128});
    const QImage result = tone(sepia, source);
    EXPECT_EQ(bgrAt(result, 0, 0), (Bgr{0, 0, 0}));
    EXPECT_EQ(bgrAt(result, 1, 0), (Bgr{255, 255, 255}));
    // Hue 26.9°, saturation 58/248, lightness 128/255: red m2, green on the rising slope,
    // blue m1 (worked by hand).
    EXPECT_EQ(bgrAt(result, 2, 0), (Bgr{98, 124, 157}));
}

TEST(MonoTone, ToneOfEveryReferenceKeepsBlackBlack)
{
    for (TColor color : {0x0000FF, 0x00FF00, 0xFF0000, 0x123456, 0x808080, sepia, white}) {
        TGREffectMonoTone effector;
        effector.setRefColor(color);
        EXPECT_EQ(effector.toneTable()[0], 0u) << std::hex << color;
    }
}

TEST(BrightnessContrast, EdgeValuesOfTheSliders)
{
    const QImage ramp = greyRamp();
    const QImage brightest = light(100, 0, ramp);
    const QImage flat = light(0, -100, ramp);
    const QImage hard = light(0, 100, ramp);
    const QImage darkest = light(-100, 0, ramp);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(bgrAt(brightest, i, 0), (Bgr{255, 255, 255})) << i;
        ASSERT_EQ(bgrAt(flat, i, 0), (Bgr{128, 128, 128})) << i;
        const int split = i <= 127 ? 0 : 255;
        ASSERT_EQ(bgrAt(hard, i, 0), (Bgr{split, split, split})) << i;
        ASSERT_EQ(bgrAt(darkest, i, 0), (Bgr{0, 0, 0})) << i;
    }
}

TEST(BrightnessContrast, NeutralValuesKeepEveryLevelAndValuesBeyondTheRangeAreClamped)
{
    const QImage ramp = greyRamp();
    EXPECT_EQ(pixelBytes(light(0, 0, ramp)), pixelBytes(ramp));
    EXPECT_EQ(pixelBytes(light(INT_MAX, 0, ramp)), pixelBytes(light(100, 0, ramp)));
    EXPECT_EQ(pixelBytes(light(0, INT_MIN, ramp)), pixelBytes(light(0, -100, ramp)));
    // 20 % brighter adds 51 (i + 51.5 truncated) until white.
    const QImage brighter = light(20, 0, ramp);
    EXPECT_EQ(bgrAt(brighter, 0, 0), (Bgr{51, 51, 51}));
    EXPECT_EQ(bgrAt(brighter, 28, 0), (Bgr{79, 79, 79}));
    EXPECT_EQ(bgrAt(brighter, 250, 0), (Bgr{255, 255, 255}));
}

TEST(Effectors, ThirtyTwoBitPixelsKeepTheirLayoutAndAnOpaqueFourthByte)
{
    const QImage source = patternImage(5, 4, QImage::Format_RGB32);
    const QImage result = light(20, 0, source);
    ASSERT_EQ(result.format(), QImage::Format_RGB32);
    const QImage narrow = light(20, 0, patternImage(5, 4));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(bgrAt(result, x, y), bgrAt(narrow, x, y));
            EXPECT_EQ(result.constScanLine(y)[4 * x + 3], 0xFF);
        }
}

TEST(Effectors, TheSourceRectangleSelectsTheRowsAndColumns)
{
    const QImage source = patternImage(9, 7);
    TGREffectBrightnessContrast effector;
    effector.setSource(source);
    effector.setSourceRect(TRect{2, 3, 7, 5});
    QImage result;
    effector.execute(result);
    ASSERT_EQ(result.size(), QSize(5, 2));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(bgrAt(result, x, y), bgrAt(source, 2 + x, 3 + y));
}

TEST(Effectors, WrongFormatsAndRectanglesLeaveTheDestinationUntouched)
{
    struct Case {
        const char* what;
        QImage source;
        TRect rect;
    };
    const QImage good = patternImage(6, 5);
    const Case cases[] = {
        {"RGB byte order", good.convertToFormat(QImage::Format_RGB888), {0, 0, 6, 5}},
        {"8-bit", good.convertToFormat(QImage::Format_Grayscale8), {0, 0, 6, 5}},
        {"with alpha", good.convertToFormat(QImage::Format_ARGB32_Premultiplied), {0, 0, 6, 5}},
        {"null", QImage(), {0, 0, 6, 5}},
        {"empty rectangle", good, {3, 3, 3, 4}},
        {"inverted rectangle", good, {5, 4, 1, 1}},
        {"one column outside", good, {0, 0, 7, 5}},
        {"left of the picture", good, {-1, 0, 5, 5}},
        {"whole 32-bit range", good, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}},
    };
    for (const Case& c : cases) {
        TGREffectMonoTone effector;
        effector.setRefColor(white);
        effector.setSource(c.source);
        effector.setSourceRect(c.rect);
        QImage destination = uniformImage(2, 2, {1, 2, 3});
        const QByteArray before = pixelBytes(destination);
        effector.execute(destination);
        EXPECT_EQ(destination.size(), QSize(2, 2)) << c.what;
        EXPECT_EQ(pixelBytes(destination), before) << c.what;
    }
}
