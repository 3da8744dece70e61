#include "render/effects/filter_effects.h"

#include "render/effects/box_blur.h"
#include "render/effects/tone_effects.h"
#include "render/raster/image_filters.h"

#include <algorithm>

namespace poremi {

namespace {

std::unique_ptr<TGREffector> blurEffector(int blurCount)
{
    if (blurCount > 0) {
        auto blur = std::make_unique<TGREffectBlur>();
        blur->setPassCount(std::min(blurCount, maxBlurPasses));
        return blur;
    }
    if (blurCount < 0) {
        // Negated in 64 bits: the most negative stored count has no 32-bit opposite.
        auto sharpen = std::make_unique<TGREffectUnsharpMask>();
        sharpen->setStrength(double(std::min(-std::int64_t(blurCount), std::int64_t(maxBlurPasses))));
        return sharpen;
    }
    return nullptr;
}

QImage runFilterEffect(const TGREFilter& filter, const QImage& source)
{
    const std::unique_ptr<TGREffector> effector = createEffector(filter);
    if (!effector)
        return QImage();
    effector->setSource(source);
    effector->setSourceRect(TRect{0, 0, source.width(), source.height()});
    QImage result;
    effector->execute(result);
    return result;
}

}  // namespace

std::unique_ptr<TGREffector> createEffector(const TGREFilter& filter)
{
    if (const auto* blur = dynamic_cast<const TBlurFilter*>(&filter))
        return blurEffector(blur->blurCount());
    if (const auto* light = dynamic_cast<const TLightFilter*>(&filter)) {
        if (light->brightness() == 0 && light->contrast() == 0)
            return nullptr;
        auto effector = std::make_unique<TGREffectBrightnessContrast>();
        effector->setBrightness(light->brightness());
        effector->setContrast(light->contrast());
        return effector;
    }
    if (const auto* tone = dynamic_cast<const TMonotoneFilter*>(&filter)) {
        if (tone->refColor() == TMonotoneFilter::noColor)
            return nullptr;
        auto effector = std::make_unique<TGREffectMonoTone>();
        effector->setRefColor(tone->refColor());
        return effector;
    }
    return nullptr;
}

void installImageEffects()
{
    installFilterEffectRunner(&runFilterEffect);
}

}  // namespace poremi
