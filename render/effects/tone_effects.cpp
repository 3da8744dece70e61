#include "render/effects/tone_effects.h"

#include "render/effects/effect_pixels.h"

#include <algorithm>

namespace poremi {

namespace {

// The tone arithmetic runs in extended precision, as the stored look was computed.
using Real = long double;

struct Hsl {
    Real hue = 0;         // degrees, [0, 360)
    Real saturation = 0;  // 0..1
};

Hsl hueAndSaturation(TColor color)
{
    const Real r = Real(color & 0xFF) / 255;
    const Real g = Real((color >> 8) & 0xFF) / 255;
    const Real b = Real((color >> 16) & 0xFF) / 255;
    const Real max = std::max({r, g, b});
    const Real min = std::min({r, g, b});
    if (max == min)
        return {};
    const Real lightness = (max + min) / 2;
    const Real span = max - min;
    Hsl hsl;
    hsl.saturation = lightness <= 0.5L ? span / (max + min) : span / (2 - max - min);
    Real h;
    if (r == max)
        h = (g - b) / span;
    else if (g == max)
        h = 2 + (b - r) / span;
    else
        h = 4 + (r - g) / span;
    h *= 60;
    while (h < 0)
        h += 360;
    while (h >= 360)
        h -= 360;
    hsl.hue = h;
    return hsl;
}

Real toneComponent(Real m1, Real m2, Real h)
{
    while (h < 0)
        h += 360;
    while (h >= 360)
        h -= 360;
    if (h < 60)
        return m1 + (m2 - m1) * h / 60;
    if (h < 180)
        return m2;
    if (h < 240)
        return m1 + (m2 - m1) * (240 - h) / 60;
    return m1;
}

std::uint32_t truncatedByte(Real value)
{
    return std::uint32_t(std::clamp(static_cast<int>(value * 255), 0, 255));
}

}  // namespace

std::array<std::uint32_t, 256> TGREffectMonoTone::toneTable() const
{
    const Hsl hsl = hueAndSaturation(refColor_);
    std::array<std::uint32_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const Real l = Real(i) / 255;
        Real r = l, g = l, b = l;
        if (hsl.saturation != 0) {
            // L + S × (1 − L) is L + S − L × S kept exact at L = 1, so white stays white.
            const Real m2 = l <= 0.5L ? l * (1 + hsl.saturation) : l + hsl.saturation * (1 - l);
            const Real m1 = 2 * l - m2;
            r = toneComponent(m1, m2, hsl.hue + 120);
            g = toneComponent(m1, m2, hsl.hue);
            b = toneComponent(m1, m2, hsl.hue - 120);
        }
        table[i] = truncatedByte(r) | truncatedByte(g) << 8 | truncatedByte(b) << 16;
    }
    return table;
}

bool TGREffectMonoTone::run(const QImage& source, const QRect& rect, QImage& destination) const
{
    const std::array<std::uint32_t, 256> table = toneTable();
    effect_pixels::forEachPixel(effectBytesPerPixel(source), source, rect, destination,
                                [&table](const std::uint8_t* s, std::uint8_t* d) {
                                    const std::uint32_t c = table[(29 * s[0] + 150 * s[1] + 77 * s[2]) >> 8];
                                    d[0] = std::uint8_t(c >> 16);
                                    d[1] = std::uint8_t(c >> 8);
                                    d[2] = std::uint8_t(c);
                                });
    return true;
}

std::array<std::uint8_t, 256> TGREffectBrightnessContrast::lightTable() const
{
    const Real a = std::clamp(Real(brightness_) / 100, Real(-1), Real(1));
    const Real c = std::clamp(Real(contrast_) / 100, Real(-1), Real(1));
    std::array<std::uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        Real v = Real(i) / 255 + a;
        if (c < 0)
            v = (v - 0.5L) * (c + 1) + 0.5L;
        else if (c < 1)
            v = (v - 0.5L) / (1 - c) + 0.5L;
        else
            v = v >= 0.5L ? 1 : 0;
        // Clamped before the conversion: a contrast near 100 % stretches v far beyond 0..1.
        table[i] = std::uint8_t(std::clamp(v * 255 + 0.5L, Real(0), Real(255)));
    }
    return table;
}

bool TGREffectBrightnessContrast::run(const QImage& source, const QRect& rect, QImage& destination) const
{
    const std::array<std::uint8_t, 256> table = lightTable();
    effect_pixels::forEachPixel(effectBytesPerPixel(source), source, rect, destination,
                                [&table](const std::uint8_t* s, std::uint8_t* d) {
                                    d[0] = table[s[0]];
                                    d[1] = table[s[1]];
                                    d[2] = table[s[2]];
                                });
    return true;
}

}  // namespace poremi
