// The persistent filters running their effectors: which effector each stored value asks for,
// a picture holder read from a component stream giving its processed pixels, and hostile
// stored values that must paint nothing rather than hang, throw or allocate without bound.

#include "document/stream/class_declaration.h"
#include "document/stream/class_registry.h"
#include "document/stream/component.h"
#include "document/stream/component_stream.h"
#include "render/effects/box_blur.h"
#include "render/effects/filter_effects.h"
#include "render/effects/tone_effects.h"
#include "render/raster/graphic.h"
#include "render/raster/image_data.h"
#include "render/raster/raster_classes.h"
#include "tests/poremi_render_effects/effect_images.h"

#include <gtest/gtest.h>

#include <QtCore/QBuffer>
#include <QtGui/QPainter>

#include <chrono>
#include <climits>
#include <cstdlib>

using namespace poremi;
using namespace poremi::test;

namespace poremi::test {

// A component with one picture holder, to send it through component streams.
class TImageHolder : public TComponent {
    POREMI_PERSISTENT(TImageHolder)
public:
    TImageData& imageData() { return imageData_; }

private:
    TImageData imageData_;
};

const TClassInfo& TImageHolder::staticClassInfo()
{
    static const TClassInfo info = describeClass<TImageHolder, TComponent>("TImageHolder", [](auto& c) {
        c.object("ImageData", &TImageHolder::imageData);
    });
    return info;
}

}  // namespace poremi::test

namespace {

class FilterEffects : public ::testing::Test {
protected:
    void SetUp() override
    {
        registerRasterClasses();
        RegisterClass<TImageHolder>();
        installImageEffects();
    }

    static std::unique_ptr<TImageHolder> throughStream(TImageHolder& holder)
    {
        QByteArray bytes = componentStreamBytes(holder);
        auto read = std::make_unique<TImageHolder>();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        ReadComponent(buffer, *read);
        return read;
    }

    static void setPicture(TImageData& data, const QImage& pixels)
    {
        data.picture().setGraphic(std::make_unique<TBitmapGraphic>(TSafetyBitmap(pixels)));
    }
};

template <class Effector>
const Effector* as(const std::unique_ptr<TGREffector>& effector)
{
    return dynamic_cast<const Effector*>(effector.get());
}

}  // namespace

TEST_F(FilterEffects, BlurCountChoosesBlurOrUnsharpMaskWithinTheEditorsRange)
{
    struct Case {
        int blurCount;
        int passes;      // 0: no blur
        double strength; // 0: no unsharp mask
    };
    const Case cases[] = {{0, 0, 0},   {1, 1, 0},     {5, 5, 0},      {10, 10, 0},     {11, 10, 0},
                          {INT_MAX, 10, 0}, {-1, 0, 1}, {-6, 0, 6}, {-11, 0, 10}, {INT_MIN, 0, 10}};
    for (const Case& c : cases) {
        TBlurFilter filter;
        filter.setBlurCount(c.blurCount);
        const std::unique_ptr<TGREffector> effector = createEffector(filter);
        if (c.passes) {
            ASSERT_NE(as<TGREffectBlur>(effector), nullptr) << c.blurCount;
            EXPECT_EQ(as<TGREffectBlur>(effector)->passCount(), c.passes) << c.blurCount;
        } else if (c.strength) {
            ASSERT_NE(as<TGREffectUnsharpMask>(effector), nullptr) << c.blurCount;
            EXPECT_EQ(as<TGREffectUnsharpMask>(effector)->strength(), c.strength) << c.blurCount;
        } else {
            EXPECT_FALSE(effector) << c.blurCount;
        }
    }
}

TEST_F(FilterEffects, LightAndMonotoneFiltersMakeTheirEffectorsUnlessNeutral)
{
    TLightFilter light;
    EXPECT_FALSE(createEffector(light));
    light.setContrast(-40);
    auto lightEffector = createEffector(light);
    ASSERT_NE(as<TGREffectBrightnessContrast>(lightEffector), nullptr);
    EXPECT_EQ(as<TGREffectBrightnessContrast>(lightEffector)->brightness(), 0);
    EXPECT_EQ(as<TGREffectBrightnessContrast>(lightEffector)->contrast(), -40);

    TMonotoneFilter tone;
    EXPECT_FALSE(createEffector(tone));
    tone.setRefColor(0x6680A0);
    auto toneEffector = createEffector(tone);
    ASSERT_NE(as<TGREffectMonoTone>(toneEffector), nullptr);
    EXPECT_EQ(as<TGREffectMonoTone>(toneEffector)->refColor(), 0x6680A0);
}

TEST_F(FilterEffects, AStoredFilterListGivesTheProcessedPixels)
{
    // A black 7 × 7 picture with a white centre, cut to its inner 5 × 5, blurred once, then
    // 20 % brighter.
    TImageHolder holder;
    QImage pixels = uniformImage(7, 7, {0, 0, 0});
    setBgr(pixels, 3, 3, {255, 255, 255});
    setPicture(holder.imageData(), pixels);
    holder.imageData().clipFilter().setClipRect(TRect{1, 1, 6, 6});
    holder.imageData().blurFilter().setBlurCount(1);
    holder.imageData().lightFilter().setBrightness(20);

    const std::unique_ptr<TImageHolder> read = throughStream(holder);
    EXPECT_EQ(read->imageData().clipFilter().clipRect(), (TRect{1, 1, 6, 6}));
    const TGraphic* processed = read->imageData().processedPicture();
    ASSERT_NE(processed, nullptr);
    const QImage result = processed->image();
    ASSERT_EQ(result.size(), QSize(5, 5));
    ASSERT_EQ(result.format(), QImage::Format_BGR888);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            // The blur gives 255 / 9 → 28 around the dot and 0 elsewhere; brightness adds 51.
            const int expected = (std::abs(x - 2) <= 1 && std::abs(y - 2) <= 1) ? 28 + 51 : 51;
            ASSERT_EQ(bgrAt(result, x, y), (Bgr{expected, expected, expected})) << x << "," << y;
        }
}

TEST_F(FilterEffects, NeutralFiltersKeepThePicture)
{
    TImageHolder holder;
    const QImage pixels = patternImage(6, 4);
    setPicture(holder.imageData(), pixels);
    const std::unique_ptr<TImageHolder> read = throughStream(holder);
    const TGraphic* processed = read->imageData().processedPicture();
    ASSERT_NE(processed, nullptr);
    EXPECT_EQ(pixelBytes(processed->image().convertToFormat(QImage::Format_BGR888)), pixelBytes(pixels));
}

TEST_F(FilterEffects, HostileStoredValuesPaintNothingAndReturnAtOnce)
{
    struct Case {
        const char* what;
        TRect clip;
        int blurCount;
        bool paints;
    };
    const Case cases[] = {
        {"whole 32-bit clip", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, 0, false},
        {"clip beyond any bitmap", {-30000, 0, 30000, 5}, 3, false},
        {"clip far off the picture", {INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX}, INT_MAX, true},
        {"most negative blur count", {0, 0, 40, 30}, INT_MIN, true},
        {"largest blur count", {0, 0, 40, 30}, INT_MAX, true},
    };
    for (const Case& c : cases) {
        TImageHolder holder;
        setPicture(holder.imageData(), patternImage(40, 30));
        holder.imageData().clipFilter().setClipRect(c.clip);
        holder.imageData().blurFilter().setBlurCount(c.blurCount);
        const std::unique_ptr<TImageHolder> read = throughStream(holder);
        EXPECT_EQ(read->imageData().blurFilter().blurCount(), c.blurCount) << c.what;

        const auto start = std::chrono::steady_clock::now();
        const TGraphic* processed = nullptr;
        EXPECT_NO_THROW(processed = read->imageData().processedPicture()) << c.what;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << c.what;
        ASSERT_NE(processed, nullptr) << c.what;
        EXPECT_EQ(!processed->isEmpty(), c.paints) << c.what;

        QImage canvas = uniformImage(20, 20, {1, 2, 3});
        const QByteArray before = pixelBytes(canvas);
        {
            QPainter painter(&canvas);
            EXPECT_NO_THROW(read->imageData().draw(painter, QRect(0, 0, 20, 20))) << c.what;
        }
        if (!c.paints) {
            EXPECT_EQ(pixelBytes(canvas), before) << c.what;
        }
    }
}
